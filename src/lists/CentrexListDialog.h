#pragma once
// Centrex Transfer Restrictions (dialog 143): the digit strings transfers
// may not go to. Offered only on systems attached to a Centrex line.

#include "ui/EntryListDialog.h"

namespace zax {
struct Session;
}

namespace lists {

class CentrexListDialog : public ui::EntryListDialog {
    Q_OBJECT
public:
    explicit CentrexListDialog(zax::Session& session, QWidget* parent = nullptr);

protected:
    ui::CallResult ReadEntries(const RowSink& sink) override;
    std::optional<ui::EntryRow> AddEntry() override;
    std::optional<ui::EntryRow> ChangeEntry(const ui::EntryRow& row) override;
    bool DeleteEntry(const ui::EntryRow& row) override;

private:
    zax::Session& session_;
};

} // namespace lists
