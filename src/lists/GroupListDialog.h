#pragma once
// Group List - N (dialog 108): the member editor of one group list. A voice
// list moves mailboxes between "A&vailable" and "Current &Members"; a fax
// list adds fax destinations through Fax Group List Parameters. Nothing is
// sent until OK, which sends the name and only the members that changed.

#include "lists/GroupMembers.h"
#include "ui/EntryListDialog.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zax {
struct Session;
}
namespace Ui {
class GroupListDialog;
}

namespace lists {

// The overview's row of a group list: number, name, "Voice" or "Fax".
ui::EntryRow GroupListRow(const std::string& number, const std::string& name,
                          zax::GroupListKind kind);

class GroupListDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    // `kind` given: a new list of that kind with `number`; none: the
    // existing list `number`.
    GroupListDialog(zax::Session& session, std::string number,
                    std::optional<zax::GroupListKind> kind, QWidget* parent = nullptr);
    ~GroupListDialog() override;

    bool Load() override;
    // The overview's row, once OK has stored the list.
    const std::optional<ui::EntryRow>& Row() const { return row_; }

    void OnAddMailbox();
    void OnAddFax();
    void OnRemove();
    const std::vector<GroupMember>& Current() const { return current_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool ReadAvailable();
    bool ReadMembers();
    void UpdateButtons();
    bool IsVoice() const { return kind_ == zax::GroupListKind::Voice; }
    // Sends the header and the member changes; false at the first refusal.
    bool Store(const std::string& name);

    zax::Session& session_;
    std::unique_ptr<Ui::GroupListDialog> form_;
    std::string number_;
    zax::GroupListKind kind_ = zax::GroupListKind::Voice;
    bool existing_ = false;
    std::string name_;
    std::vector<GroupMember> stored_;  // as the server holds them
    std::vector<GroupMember> current_; // as the administrator has made them
    std::optional<ui::EntryRow> row_;
};

} // namespace lists
