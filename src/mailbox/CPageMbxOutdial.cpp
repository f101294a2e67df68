#include "mailbox/CPageMbxOutdial.h"

#include "mailbox/MailboxIds.h"
#include "ui_CPageMbxOutdial.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace mailbox {

using namespace OutdialCtl;

namespace {
constexpr auto kLine = static_cast<int16_t>(zax::OutdialKind::Line);
constexpr auto kPool = static_cast<int16_t>(zax::OutdialKind::Pool);
constexpr auto kNone = static_cast<int16_t>(zax::OutdialKind::None);
constexpr auto kAmis = static_cast<int16_t>(zax::MailboxType::Amis);
constexpr auto kNetwork = static_cast<int16_t>(zax::MailboxType::Network);
} // namespace

CPageMbxOutdial::CPageMbxOutdial(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxOutdial, record, system),
      form_(std::make_unique<Ui::CPageMbxOutdial>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxOutdial::~CPageMbxOutdial() = default;

void CPageMbxOutdial::LoadFromRecord() {
    const QString number = QString::number(Record().OutdialNumber);
    if (Record().OutdialKind == kLine) {
        choice_ = ByLine;
        lineNumber_ = number;
    } else if (Record().OutdialKind == kPool) {
        choice_ = ByPool;
        poolNumber_ = number;
    } else if (Type() == kAmis || Type() == kNetwork) {
        // Remote mailboxes are reached by dialing: they need a line.
        choice_ = ByLine;
        SetModified(true);
    } else {
        choice_ = NoOutdial;
    }
}

void CPageMbxOutdial::UpdateControlStates() {
    EnableControl(LineNumber, choice_ == ByLine);
    EnableControl(PoolNumber, choice_ == ByPool);
    if (choice_ == ByLine)
        FocusControl(LineNumber);
    else if (choice_ == ByPool)
        FocusControl(PoolNumber);
    if (Type() == kAmis)
        HideControls({None});
}

void CPageMbxOutdial::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeRadio(dx, {Line, Pool, None}, choice_);
    ui::ExchangeText(dx, LineNumber, lineNumber_);
    ui::ExchangeText(dx, PoolNumber, poolNumber_);
}

bool CPageMbxOutdial::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    int number = 0;
    switch (choice_) {
    case ByLine:
        if (core::CheckLineNumber(ui::RecordBytes(lineNumber_), System().MaxLineNumber, number) !=
            core::FieldValid)
            return Refuse(LineNumber, InvalidLineNumber);
        Record().OutdialKind = kLine;
        break;
    case ByPool:
        if (core::CheckPoolNumber(ui::RecordBytes(poolNumber_), System().MaxPoolNumber, number) !=
            core::FieldValid)
            return Refuse(PoolNumber, InvalidPoolNumber);
        Record().OutdialKind = kPool;
        break;
    default:
        Record().OutdialKind = kNone;
        break;
    }
    Record().OutdialNumber = static_cast<int16_t>(number);
    return Accept();
}

} // namespace mailbox
