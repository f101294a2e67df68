#pragma once
// Group Lists (dialog 154): every group list of the server with its number,
// name and kind; adds a list, opens one in the member editor, deletes one.

#include "ui/EntryListDialog.h"

namespace zax {
struct Session;
}

namespace lists {

class GroupListsDialog : public ui::EntryListDialog {
    Q_OBJECT
public:
    explicit GroupListsDialog(zax::Session& session, QWidget* parent = nullptr);

protected:
    ui::CallResult ReadEntries(const RowSink& sink) override;
    std::optional<ui::EntryRow> AddEntry() override;
    std::optional<ui::EntryRow> ChangeEntry(const ui::EntryRow& row) override;
    bool DeleteEntry(const ui::EntryRow& row) override;

private:
    zax::Session& session_;
};

} // namespace lists
