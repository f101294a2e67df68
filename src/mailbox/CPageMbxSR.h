#pragma once
// The Speech Rec page (174): the names callers may say to reach the
// mailbox, and whether speech recognition knows it at all.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxSR;
}

namespace mailbox {

class CPageMbxSR : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxSR(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxSR() override;

    void LoadFromRecord() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    std::unique_ptr<Ui::CPageMbxSR> form_;
    bool enable_ = false;
    QString extendedName_;
    QString alias_;
};

} // namespace mailbox
