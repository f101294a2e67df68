#pragma once
// Mailbox Activity Report (dialog 153): the activity of all mailboxes or of
// one, produced while the dialog is still shown.

#include "ui/TemplateDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class MailboxActivityDialog;
}

namespace reports {

class MailboxActivityDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit MailboxActivityDialog(zax::Session& session, QWidget* parent = nullptr);
    ~MailboxActivityDialog() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ChooseAll();
    void ChooseOne();

    zax::Session& session_;
    std::unique_ptr<Ui::MailboxActivityDialog> form_;
};

} // namespace reports
