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
    // `exists`: the mailbox is on the server (change mode).
    CPageMbxGeneral(zax::MailboxRecord& record, const zax::SystemInfo& system, bool exists);
    ~CPageMbxGeneral() override;

    void SetCosNames(const zax::CosNameTable& names) { cosNames_ = names; }
    bool ResetPasswordChecked() const;

    void LoadFromRecord() override;
    void UpdateControlStates() override;
    bool OnKillActive() override;
    bool OnApply() override;

protected:
    void DoDataExchange(ui::DataExchange& dx) override;

private:
    bool HasExtensionField() const;

    std::unique_ptr<Ui::CPageMbxGeneral> form_;
    bool exists_;
    zax::CosNameTable cosNames_{};
    QString extension_;
    QString lastName_;
    QString firstName_;
    int cosIndex_ = 0;
    bool directory_ = false;
    bool resetPassword_ = false;
};

} // namespace mailbox
