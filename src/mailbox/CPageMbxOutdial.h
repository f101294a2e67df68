#pragma once
// The Outdial page (170): whether the mailbox may dial out, on a line or a
// pool, and which.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxOutdial;
}

namespace mailbox {

class CPageMbxOutdial : public MailboxPage {
    Q_OBJECT
public:
    CPageMbxOutdial(zax::MailboxRecord& record, const zax::SystemInfo& system);
    ~CPageMbxOutdial() override;

    void LoadFromRecord() override;
    void UpdateControlStates() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    enum Choice { ByLine, ByPool, NoOutdial };

    std::unique_ptr<Ui::CPageMbxOutdial> form_;
    int choice_ = NoOutdial;
    QString lineNumber_;
    QString poolNumber_;
};

} // namespace mailbox
