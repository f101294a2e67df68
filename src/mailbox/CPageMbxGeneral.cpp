#include "mailbox/CPageMbxGeneral.h"

#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxTypes.h"
#include "ui_CPageMbxGeneral.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QComboBox>

namespace mailbox {
namespace {

using namespace GeneralCtl;
constexpr size_t kMaxNameLength = 16;
constexpr int kExtensionChars = sizeof(zax::MailboxRecord::Extension) - 1;

bool IsSystemMailboxName(std::string_view name) {
    return name == zax::SystemManagerName || name == zax::GeneralDeliveryName;
}

// The last names of the system mailboxes pass as typed, whatever the name rules say.
bool IsSystemLastName(std::string_view last) {
    for (std::string_view system : {zax::SystemManagerName, zax::GeneralDeliveryName})
        if (last == system.substr(0, system.find(',')))
            return true;
    return false;
}

bool IsNameText(const std::string& text) {
    return core::CheckLabel(text, 1, kMaxNameLength) == core::FieldValid;
}

// Types that may have no extension of their own.
bool MayLackExtension(int16_t type) {
    switch (type) {
    case 0:
    case 1:
    case 3:
    case 4:
    case 9:
    case 10:
        return true;
    default:
        return false;
    }
}

} // namespace

CPageMbxGeneral::CPageMbxGeneral(zax::MailboxRecord& record, const zax::SystemInfo& system,
                                 bool exists)
    : MailboxPage(ui::DialogId::PageMbxGeneral, record, system),
      form_(std::make_unique<Ui::CPageMbxGeneral>()), exists_(exists) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxGeneral::~CPageMbxGeneral() = default;

bool CPageMbxGeneral::ResetPasswordChecked() const {
    return exists_ && form_->resetPassword->isChecked();
}

bool CPageMbxGeneral::HasExtensionField() const {
    return Type() != 2 && Type() != 5;
}

void CPageMbxGeneral::LoadFromRecord() {
    form_->cos->clear();
    for (int i = 0; i < zax::ClassOfServiceCount; ++i)
        form_->cos->addItem(QStringLiteral("%1   ").arg(i + 1, 2, 10, QLatin1Char('0')) +
                            ui::RecordText(cosNames_.Names[i]));
    const QString name = ui::RecordText(Record().Name);
    lastName_ = name.section(QLatin1Char(','), 0, 0);
    firstName_ = name.section(QLatin1Char(','), 1, 1);
    if (HasExtensionField())
        extension_ = ui::RecordText(Record().Extension);
    if (Type() != 6)
        directory_ = Record().Directory != 0;
    cosIndex_ = Record().ClassOfService - 1;
}

void CPageMbxGeneral::UpdateControlStates() {
    if (!exists_)
        HideControls({ResetPassword});
    switch (Type()) {
    case 9:
    case 10:
        HideControls({CosLabel, Cos, ExtensionLabel, Extension});
        break;
    case 2:
    case 5:
        HideControls({ExtensionLabel, Extension});
        break;
    case 6:
        HideControls({CosLabel, Cos, Directory});
        break;
    default:
        break;
    }
}

void CPageMbxGeneral::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeText(dx, Extension, extension_);
    ui::ExchangeText(dx, LastName, lastName_);
    ui::ExchangeText(dx, FirstName, firstName_);
    ExchangeComboIndex(dx, Cos, cosIndex_);
    ui::ExchangeCheck(dx, Directory, directory_);
    ui::ExchangeCheck(dx, ResetPassword, resetPassword_);
}

bool CPageMbxGeneral::OnKillActive() {
    // The Options page enables its fields from the extension as typed here.
    ui::SetRecordText(Record().Extension, ControlText(Extension).left(kExtensionChars));
    return true;
}

bool CPageMbxGeneral::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    const std::string last = ui::RecordBytes(lastName_);
    const std::string first = ui::RecordBytes(firstName_);
    if (!IsSystemLastName(last) && !last.empty() && !IsNameText(last))
        return Refuse(LastName, MailboxString::InvalidLastName);
    if (!first.empty() && !IsNameText(first))
        return Refuse(FirstName, MailboxString::InvalidFirstName);
    const std::string name = !last.empty() && !first.empty() ? last + ',' + first : last + first;
    if (name.empty())
        return Refuse(LastName, NameFieldBlank);
    if (name.size() > kMaxNameLength && !IsSystemMailboxName(name))
        return Refuse(LastName, MailboxString::NameTooLong);
    zax::SetText(Record().Name, name);
    // A record that came with a class outside 1 to 16 selects no entry; it
    // keeps its class rather than being given class 0.
    if (cosIndex_ >= 0 && cosIndex_ < zax::ClassOfServiceCount)
        Record().ClassOfService = static_cast<uint8_t>(cosIndex_ + 1);

    std::string extension;
    if (HasExtensionField()) {
        extension = ui::RecordBytes(extension_);
        const bool valid =
            extension.empty()
                ? MayLackExtension(Type())
                : core::CheckMailboxNumber(extension, System().ExtensionLength) == core::FieldValid;
        if (!valid)
            return Refuse(Extension, InvalidExtension);
    }
    zax::SetText(Record().Extension, extension);
    if (Type() != 6)
        Record().Directory = directory_ ? 1 : 0;
    return Accept();
}

} // namespace mailbox
