#pragma once
// Add Many Mailboxes (dialog 125): a range of extensions and the settings
// the new subscribers share; the server creates the mailboxes of the range
// in one request and says how many it added.

#include "server/Records.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <string>

namespace zax {
struct Session;
}
namespace Ui {
class AddManyMailboxesDialog;
}

namespace mailbox {

// What one OK sends: the "from" record carries the shared settings, the
// "to" record is its copy with the last extension.
struct MailboxRange {
    zax::MailboxRecord from{};
    std::string fromExtension;
    std::string toExtension;
};

class AddManyMailboxesDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit AddManyMailboxesDialog(zax::Session& session, QWidget* parent = nullptr);
    ~AddManyMailboxesDialog() override;

    // Reads the class-of-service names. A refused read leaves the list with
    // the class numbers alone; only a transport failure keeps the dialog shut.
    bool Load() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnOutdialChosen(int radio);

    zax::Session& session_;
    std::unique_ptr<Ui::AddManyMailboxesDialog> form_;
    zax::CosNameTable cosNames_{};
};

} // namespace mailbox
