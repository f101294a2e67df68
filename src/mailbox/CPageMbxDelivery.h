#pragma once
// The Delivery page (172): how often and how far apart a fax delivery is
// retried.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxDelivery;
}

namespace mailbox {

class CPageMbxDelivery : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxDelivery(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxDelivery() override;

    void LoadFromRecord() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    std::unique_ptr<Ui::CPageMbxDelivery> form_;
    QString retries_;
    QString interval_;
};

} // namespace mailbox
