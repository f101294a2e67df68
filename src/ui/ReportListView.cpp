#include "ui/ReportListView.h"

#include "ui/RowTableModel.h"

#include <QHeaderView>

namespace ui {

ReportListView::ReportListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Sorting is ours (ascending only, by bytes): the view must not ask the
    // model to sort, and the indicator shows once a header has been clicked.
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    setHeaderHidden(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int c) { SortByColumn(c); });
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit RowActivated(index.row()); });
}

ReportListView::~ReportListView() = default;

void ReportListView::SetRowModel(RowTableModelBase* model) {
    if (rows_ != nullptr)
        disconnect(rows_, nullptr, this, nullptr);
    rows_ = model;
    setModel(model);
    if (model != nullptr) {
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { keyAcrossReset_ = SelectedKey(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            ShowHeaderWhenColumns();
            if (keyAcrossReset_)
                SelectKey(*keyAcrossReset_);
            keyAcrossReset_.reset();
        });
    }
    ShowHeaderWhenColumns();
}

void ReportListView::ShowHeaderWhenColumns() {
    setHeaderHidden(ColumnCount() == 0);
}

int ReportListView::RowCount() const {
    return rows_ != nullptr ? rows_->RowCount() : 0;
}

int ReportListView::ColumnCount() const {
    return rows_ != nullptr ? rows_->ColumnCount() : 0;
}

QString ReportListView::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return {};
    return rows_->CellText(row, column);
}

int ReportListView::SelectedRow() const {
    if (selectionModel() == nullptr)
        return -1;
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void ReportListView::SelectRow(int row) {
    if (selectionModel() == nullptr)
        return;
    if (row < 0 || row >= RowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = rows_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

std::optional<std::string> ReportListView::SelectedKey() const {
    const int row = SelectedRow();
    if (row < 0)
        return std::nullopt;
    return std::string(rows_->KeyAt(row));
}

bool ReportListView::SelectKey(std::string_view key) {
    const int row = rows_ != nullptr ? rows_->FindKey(key) : -1;
    SelectRow(row);
    return row >= 0;
}

void ReportListView::SortByColumn(int column) {
    if (RowCount() == 0 || column < 0 || column >= ColumnCount())
        return;
    rows_->SortByColumn(column);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, Qt::AscendingOrder);
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

} // namespace ui
