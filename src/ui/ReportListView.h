#pragma once
// A report-style list view: columns with headers, one selected row at a time,
// a click on a column header sorts by that column. Each row can carry a 64-bit
// value (a record key) that stays with it through sorting.

#include <QTreeWidget>

namespace ui {

class ReportListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ReportListView(QWidget* parent = nullptr);
    ~ReportListView() override;

    void SetColumns(const QStringList& headers);
    // Appends a row; returns its index in the current order.
    int InsertRow(const QStringList& cells, qint64 key = 0);
    void RemoveRow(int row);
    void SetItemText(int row, int column, const QString& text);
    QString ItemText(int row, int column) const;
    qint64 ItemData(int row) const;
    int RowCount() const { return topLevelItemCount(); }
    int SelectedRow() const; // -1 when none
    void SelectRow(int row);
    int FindRow(qint64 key) const; // -1 when absent

signals:
    void RowActivated(int row); // double-click or Enter
};

} // namespace ui
