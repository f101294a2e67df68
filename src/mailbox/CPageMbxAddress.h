#pragma once
// The Address page (173): where a remote mailbox lives — the phone number
// of an AMIS system or the prefix of a network site — and its number there.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxAddress;
}

namespace mailbox {

class CPageMbxAddress : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxAddress(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxAddress() override;

    void LoadFromRecord() override;
    void UpdateControlStates() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    std::unique_ptr<Ui::CPageMbxAddress> form_;
    QString remotePhone_;
    QString sitePrefix_;
    QString remoteMailbox_;
};

} // namespace mailbox
