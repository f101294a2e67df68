#pragma once
// Add Group List (dialog 122): the kind of a new group list, which gets the
// next free number from the server; OK goes on to the member editor.

#include "ui/EntryListDialog.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <optional>

namespace zax {
struct Session;
}
namespace Ui {
class AddGroupListDialog;
}

namespace lists {

class AddGroupListDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit AddGroupListDialog(zax::Session& session, QWidget* parent = nullptr);
    ~AddGroupListDialog() override;

    bool Load() override;
    int ListNumber() const { return number_; }
    // The overview's row for the list the member editor created; none when
    // it was cancelled.
    const std::optional<ui::EntryRow>& Row() const { return row_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::AddGroupListDialog> form_;
    int16_t number_ = 0;
    std::optional<ui::EntryRow> row_;
};

} // namespace lists
