#include "mailbox/CPageMbxFax.h"

#include "mailbox/MailboxIds.h"
#include "ui_CPageMbxFax.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"

namespace mailbox {

using namespace FaxCtl;

CPageMbxFax::CPageMbxFax(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxFax, record, system),
      form_(std::make_unique<Ui::CPageMbxFax>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxFax::~CPageMbxFax() = default;

void CPageMbxFax::LoadFromRecord() {
    faxLine_ = Record().FaxLine == 0 ? QString() : QString::number(Record().FaxLine);
}

void CPageMbxFax::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeText(dx, FaxLine, faxLine_);
}

bool CPageMbxFax::OnApply() {
    UpdateData(true);
    int line = 0; // none
    if (!faxLine_.isEmpty() && core::CheckLineNumber(ui::RecordBytes(faxLine_), System().MaxLineNumber,
                                                     line) != core::FieldValid)
        return Refuse(FaxLine, MailboxString::InvalidFaxLine);
    Record().FaxLine = static_cast<int16_t>(line);
    return Accept();
}

} // namespace mailbox
