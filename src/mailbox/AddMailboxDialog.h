#pragma once
// Add Mailbox (dialog 118): one new mailbox number and its type, checked
// with the server, then the mailbox property sheet in add mode, where the
// mailbox is filled in and created.

#include "server/Records.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <string>

namespace zax {
struct Session;
}
namespace Ui {
class AddMailboxDialog;
}

namespace mailbox {

class AddMailboxDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit AddMailboxDialog(zax::Session& session, QWidget* parent = nullptr);
    ~AddMailboxDialog() override;

    // Asks the server for room for one more mailbox; false when there is
    // none (its message was shown) or a transport failure is ending the program.
    bool Load() override;

    // The type of the checked type button.
    zax::MailboxType ChosenType() const;

protected:
    void OnOK() override;

private:
    // Each check of OK; false when it refused (its message was shown).
    bool CheckNumber(const std::string& number);
    bool CheckNotGroupListNumber(const std::string& number);
    bool CheckNotExisting(const std::string& number);

    zax::Session& session_;
    std::unique_ptr<Ui::AddMailboxDialog> form_;
};

} // namespace mailbox
