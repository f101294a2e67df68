#include "mailbox/CPageMbxSR.h"

#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxTypes.h"
#include "ui_CPageMbxSR.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace mailbox {

using namespace SpeechCtl;

namespace {
// Empty, or 1 to 40 letters, digits, blanks, apostrophes and underscores.
bool IsSpokenName(const QString& text) {
    return text.isEmpty() || core::CheckWords(ui::RecordBytes(text), 1, 40) == core::FieldValid;
}
} // namespace

CPageMbxSR::CPageMbxSR(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxSR, record, system),
      form_(std::make_unique<Ui::CPageMbxSR>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxSR::~CPageMbxSR() = default;

void CPageMbxSR::LoadFromRecord() {
    extendedName_ = ui::RecordText(Record().ExtendedName);
    alias_ = ui::RecordText(Record().Alias);
    enable_ = Record().SpeechDisabled == 0;
}

void CPageMbxSR::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeCheck(dx, Enable, enable_);
    ui::ExchangeText(dx, ExtendedName, extendedName_);
    ui::ExchangeText(dx, Alias, alias_);
}

bool CPageMbxSR::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    Record().SpeechDisabled = enable_ ? 0 : 1;
    if (!IsSpokenName(extendedName_))
        return Refuse(ExtendedName, InvalidExtendedName);
    ui::SetRecordText(Record().ExtendedName, extendedName_);
    if (!IsSpokenName(alias_))
        return Refuse(Alias, InvalidSpeechRecAlias);
    ui::SetRecordText(Record().Alias, alias_);
    return Accept();
}

} // namespace mailbox
