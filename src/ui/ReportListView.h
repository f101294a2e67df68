#pragma once
// A report-style list view: columns with headers, one selected row at a
// time, selected as a whole. A click on a column header sorts the rows by
// that column's bytes, ascending (a second click sorts the same way again).
// The rows live in a RowTableModel; the view keeps the selected row by its
// key through sorting and through a reload of every row. The header stays
// hidden while the model has no columns.

#include <QTreeView>

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class RowTableModelBase;

class ReportListView : public QTreeView {
    Q_OBJECT
public:
    explicit ReportListView(QWidget* parent = nullptr);
    ~ReportListView() override;

    // The rows shown. The view does not take the model over; give it the
    // view (or the dialog) as parent.
    void SetRowModel(RowTableModelBase* model);
    RowTableModelBase* RowModel() const { return rows_; }

    int RowCount() const;
    int ColumnCount() const;
    QString CellText(int row, int column) const;

    int SelectedRow() const; // -1 when none
    // Makes the row current and selected and scrolls to it; a row out of
    // range clears the selection.
    void SelectRow(int row);
    std::optional<std::string> SelectedKey() const;
    bool SelectKey(std::string_view key); // false (and nothing selected) when absent

    // What a header click does.
    void SortByColumn(int column);

signals:
    void RowActivated(int row); // double-click or Enter

private:
    void ShowHeaderWhenColumns();

    RowTableModelBase* rows_ = nullptr;
    std::optional<std::string> keyAcrossReset_;
};

} // namespace ui
