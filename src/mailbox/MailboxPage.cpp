#include "mailbox/MailboxPage.h"

#include "ui/DataExchange.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"

#include <QComboBox>

namespace mailbox {

MailboxPage::MailboxPage(int templateId, zax::MailboxRecord& record, const zax::SystemInfo& system)
    : RecordPage(templateId), record_(record), system_(system) {}

bool MailboxPage::Accept() {
    SetValid(true);
    return true;
}

bool MailboxPage::Refuse(int controlId, int messageId) {
    SetValid(false);
    FocusControl(controlId);
    ui::ShowMessage(ui::LanguageModule::String(messageId), ui::kStyleWarning);
    return false;
}

void MailboxPage::HideControls(std::initializer_list<int> controlIds) {
    for (int id : controlIds)
        ui::DisableAndHide(*this, id);
}

void ExchangeComboIndex(ui::DataExchange& dx, int controlId, int& index) {
    auto* combo = dx.Host().ControlAs<QComboBox>(controlId);
    if (combo == nullptr)
        return;
    if (dx.Saving())
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index);
}

} // namespace mailbox
