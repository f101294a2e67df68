#pragma once
// Calling Line Identification (dialog 141): the CLID routing table, one row
// per caller's number with its target's type and value.

#include "server/Records.h"
#include "ui/EntryListDialog.h"

namespace zax {
struct Session;
}

namespace lists {

// The row a CLID entry is listed as: phone number, type name, value.
ui::EntryRow ClidRow(const zax::ClidEntry& entry);

class ClidListDialog : public ui::EntryListDialog {
    Q_OBJECT
public:
    explicit ClidListDialog(zax::Session& session, QWidget* parent = nullptr);

protected:
    ui::CallResult ReadEntries(const RowSink& sink) override;
    std::optional<ui::EntryRow> AddEntry() override;
    std::optional<ui::EntryRow> ChangeEntry(const ui::EntryRow& row) override;
    bool DeleteEntry(const ui::EntryRow& row) override;

private:
    // The entry as the server now holds it, read back after the entry dialog.
    std::optional<ui::EntryRow> ReadBack(const std::string& phone);

    zax::Session& session_;
};

} // namespace lists
