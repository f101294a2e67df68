#pragma once
// The Fax page (171): the line the mailbox's faxes arrive on, if any.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxFax;
}

namespace mailbox {

class CPageMbxFax : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxFax(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxFax() override;

    void LoadFromRecord() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    std::unique_ptr<Ui::CPageMbxFax> form_;
    QString faxLine_;
};

} // namespace mailbox
