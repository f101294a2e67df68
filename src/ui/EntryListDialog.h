#pragma once
// The shape every keyed table of the server is edited in: a sorted list of
// the table's entries, one row each with the key in the first column, and
// the buttons "&Add", "&Change" (or a double click), "&Delete", "C&lose",
// "Help" and, for a table with settings of its own, one more button.
//
// The list reads every entry before it is shown and keeps the rule of the
// buttons: "&Change" and "&Delete" are enabled while the list has rows, an
// added or changed row is selected, and deleting moves the selection to
// the first row. What an entry is and how it is read, edited and deleted
// is the subclass's: it opens its own entry dialog and makes its own calls.

#include "ui/TemplateDialog.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class EntryListDialog;
}

namespace ui {

class ReportListView;
template <class Row> class RowTableModel;

// Control ids of the list form that every keyed-table template shares.
namespace EntryListCtl {
inline constexpr int List = 1550;
inline constexpr int Add = 1551;
inline constexpr int Extra = 1552; // the table's own settings (hidden when it has none)
inline constexpr int Change = 6;
inline constexpr int Delete = 7;
} // namespace EntryListCtl

// One row: its cells as the list shows them (record bytes), the key first.
struct EntryRow {
    std::vector<std::string> cells;
    const std::string& Key() const { return cells.front(); }
};

class EntryListDialog : public TemplateDialog {
    Q_OBJECT
public:
    // `headers`: the string ids of the column headings, the key's first.
    // Without `extraButton` the form's extra button is removed.
    EntryListDialog(int templateId, std::vector<int> headers, bool extraButton,
                    QWidget* parent = nullptr);
    ~EntryListDialog() override;

    bool Load() override;

    ReportListView* List() const;
    int RowCount() const;
    const EntryRow& RowAt(int index) const;
    // The row whose key is `key`; -1 when none.
    int FindRow(const std::string& key) const;

    void OnAdd();
    void OnChange();
    void OnDelete();

protected:
    using RowSink = std::function<void(EntryRow)>;
    // Reads every entry in the server's order; the guarded result of the
    // reading (end of the table counts as success).
    virtual CallResult ReadEntries(const RowSink& sink) = 0;
    // Runs the entry dialog in add mode; the row to list when it ended with OK.
    virtual std::optional<EntryRow> AddEntry() = 0;
    // Runs the entry dialog in change mode for `row`; the row that replaces it.
    virtual std::optional<EntryRow> ChangeEntry(const EntryRow& row) = 0;
    // Deletes the entry on the server; true when it is gone.
    virtual bool DeleteEntry(const EntryRow& row) = 0;
    // The text after "Delete " in the question; the key by default.
    virtual QString DeleteSubject(const EntryRow& row) const;
    // The extra button's action; a list that shows the button overrides it.
    virtual void OnExtra() {}

    bool OnInitDialog() override;

private:
    void PutRow(EntryRow row);
    void EnableRowButtons(bool enable);
    int SelectedIndex() const;

    std::vector<int> headers_;
    std::unique_ptr<Ui::EntryListDialog> form_;
    RowTableModel<EntryRow>* rows_ = nullptr; // owned by the list
};

} // namespace ui
