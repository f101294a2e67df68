#pragma once
// Base of the mailbox property sheet's pages: each edits part of the one
// MailboxRecord the sheet owns, checks it against the system's limits, and
// refuses an apply with one message and the focus on the field concerned.

#include "server/Records.h"
#include "ui/RecordText.h"
#include "ui/RecordPage.h"

#include <initializer_list>
#include <string>

namespace ui {
class DataExchange;
}

namespace mailbox {

class MailboxPage : public ui::RecordPage {
    Q_OBJECT
public:
    MailboxPage(int templateId, zax::MailboxRecord& record, const zax::SystemInfo& system);

    // Called every time the page comes to the front, after its first
    // activation has loaded it; pages whose controls depend on other pages
    // recompute them here.
    virtual void OnPageShown() {}

protected:
    zax::MailboxRecord& Record() { return record_; }
    const zax::MailboxRecord& Record() const { return record_; }
    int16_t Type() const { return record_.Type; }
    const zax::SystemInfo& System() const { return system_; }

    // The apply step's two ends: Accept sets the valid flag; Refuse clears
    // it, puts the focus on the control and shows the message.
    bool Accept();
    bool Refuse(int controlId, int messageId);

    // Hides and disables each control (a field with its label).
    void HideControls(std::initializer_list<int> controlIds);

private:
    zax::MailboxRecord& record_;
    const zax::SystemInfo& system_;
};

// The selected entry of a drop-down list, -1 for none.
void ExchangeComboIndex(ui::DataExchange& dx, int controlId, int& index);

} // namespace mailbox
