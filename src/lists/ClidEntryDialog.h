#pragma once
// Calling Line Identification Setup (dialog 140): one CLID entry, added or
// changed. The caller's number is the key and is typed only when adding;
// the target is one of a greeting table, an extension, a mailbox or a CCR
// tree with a path in it, each with its own box, only the chosen one enabled.

#include "server/Records.h"
#include "ui/EntryDialog.h"

#include <memory>
#include <string>

namespace zax {
struct Session;
}
namespace Ui {
class ClidEntryDialog;
}

namespace lists {

class ClidEntryDialog : public ui::EntryDialog<zax::ClidEntry> {
    Q_OBJECT
public:
    // `phone`: the entry to change (change mode); ignored when adding.
    ClidEntryDialog(zax::Session& session, ui::EntryMode mode, const std::string& phone,
                    QWidget* parent = nullptr);
    ~ClidEntryDialog() override;

    bool Load() override;
    // The phone number of the entry the server accepted (the list reads it back).
    std::string PhoneNumber() const;
    // Chooses the target by its radio button index (0 table, 1 extension,
    // 2 mailbox, 3 CCR tree), as a click on that button does.
    void ChooseTarget(int index);

protected:
    bool OnInitDialog() override;
    zax::ClidEntry StartRecord() const override;
    bool Save(const zax::ClidEntry& record) override;

private:
    // Whether the mailbox may be routed to: it exists (a mailbox not yet
    // initialized is worth a warning only).
    bool MailboxUsable(const std::string& number);

    zax::Session& session_;
    std::unique_ptr<Ui::ClidEntryDialog> form_;
    int chosen_ = -1;
};

} // namespace lists
