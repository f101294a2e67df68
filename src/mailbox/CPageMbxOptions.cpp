#include "mailbox/CPageMbxOptions.h"

#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxTypes.h"
#include "ui_CPageMbxOptions.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace mailbox {

using namespace OptionsCtl;

CPageMbxOptions::CPageMbxOptions(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxOptions, record, system),
      form_(std::make_unique<Ui::CPageMbxOptions>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxOptions::~CPageMbxOptions() = default;

bool CPageMbxOptions::HasExtension() const {
    return Record().Extension[0] != '\0';
}

void CPageMbxOptions::LoadFromRecord() {
    alternate1_ = ui::RecordText(Record().AlternateExtension1);
    alternate2_ = ui::RecordText(Record().AlternateExtension2);
    messageWaiting_ = Record().MessageWaiting == 1;
    callScreening_ = Record().CallScreening != 0;
}

void CPageMbxOptions::UpdateControlStates() {
    const bool hasExtension = HasExtension();
    if (!hasExtension) {
        messageWaiting_ = false;
        SetChecked(MessageWaiting, false);
        alternate1_.clear();
        SetControlText(Alternate1, {});
    }
    // The second alternate follows the first: never one without the other.
    const bool secondAllowed = hasExtension && !alternate1_.isEmpty();
    if (!secondAllowed) {
        alternate2_.clear();
        SetControlText(Alternate2, {});
    }
    EnableControl(Alternate1, hasExtension);
    EnableControl(MessageWaiting, hasExtension);
    EnableControl(Alternate2, secondAllowed);
    if (Type() == 4)
        HideControls({Alternate1Label, Alternate1, Alternate2Label, Alternate2, CallScreening});
}

void CPageMbxOptions::OnPageShown() {
    UpdateControlStates();
}

void CPageMbxOptions::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeText(dx, Alternate1, alternate1_);
    ui::ExchangeText(dx, Alternate2, alternate2_);
    ui::ExchangeCheck(dx, MessageWaiting, messageWaiting_);
    ui::ExchangeCheck(dx, CallScreening, callScreening_);
}

bool CPageMbxOptions::CheckAlternate(const QString& text) const {
    return text.isEmpty() ||
           core::CheckMailboxNumber(ui::RecordBytes(text), System().ExtensionLength) == core::FieldValid;
}

bool CPageMbxOptions::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    const QString alternate1 = HasExtension() ? alternate1_ : QString();
    if (!CheckAlternate(alternate1))
        return Refuse(Alternate1, InvalidAlternateExtension1);
    ui::SetRecordText(Record().AlternateExtension1, alternate1);
    const QString alternate2 = HasExtension() ? alternate2_ : QString();
    if (!CheckAlternate(alternate2))
        return Refuse(Alternate2, InvalidAlternateExtension2);
    ui::SetRecordText(Record().AlternateExtension2, alternate2);
    Record().MessageWaiting = messageWaiting_ ? 1 : 0;
    Record().CallScreening = callScreening_ ? 1 : 0;
    return Accept();
}

} // namespace mailbox
