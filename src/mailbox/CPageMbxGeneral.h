#pragma once
// The General page (168): name, extension, class of service, directory
// listing, and in change mode the reset of the mailbox password.

#include "mailbox/MailboxPage.h"

#include <memory>

namespace Ui {
class CPageMbxGeneral;
}

namespace mailbox {

class CPageMbxGeneral : public MailboxPage {
    Q_OBJECT
public:
    explicit CPageMbxGeneral(const PageContext& context);
    ~CPageMbxGeneral() override;

    // The reset of the mailbox password goes with the change, not the record.
    bool ResetPasswordChecked() const;

    void LoadFromRecord() override;
    void UpdateControlStates() override;
    bool OnKillActive() override;

private:
    std::unique_ptr<Ui::CPageMbxGeneral> form_;
};

} // namespace mailbox
