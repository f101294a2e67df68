#include "ui/RowTableModel.h"

#include <utility>

namespace ui {

RowTableModelBase::~RowTableModelBase() = default;

int RowTableModelBase::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowsHeld();
}

int RowTableModelBase::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant RowTableModelBase::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= RowsHeld() ||
        index.column() >= ColumnCount())
        return {};
    return CellText(index.row(), index.column());
}

QVariant RowTableModelBase::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount())
        return {};
    return headers_[static_cast<size_t>(section)].text;
}

QString RowTableModelBase::CellText(int row, int column) const {
    const std::string_view bytes = Cell(row, column);
    const auto size = static_cast<qsizetype>(bytes.size());
    return headers_[static_cast<size_t>(column)].encoding == TextEncoding::Latin1
               ? QString::fromLatin1(bytes.data(), size)
               : QString::fromUtf8(bytes.data(), size);
}

int RowTableModelBase::FindKey(std::string_view key) const {
    for (int row = 0, rows = RowsHeld(); row < rows; ++row) {
        if (KeyAt(row) == key)
            return row;
    }
    return -1;
}

void RowTableModelBase::SetHeaders(std::vector<Header> headers) {
    beginResetModel();
    headers_ = std::move(headers);
    endResetModel();
}

void RowTableModelBase::SortByColumn(int column) {
    const int rows = RowsHeld();
    if (column < 0 || column >= ColumnCount() || rows == 0)
        return;
    // Each cell is fetched once; std::string_view compares through
    // char_traits<char>, which orders bytes as unsigned char.
    std::vector<std::pair<std::string_view, int>> cells;
    cells.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        cells.emplace_back(Cell(row, column), row);
    std::stable_sort(cells.begin(), cells.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<int> order(static_cast<size_t>(rows));
    std::vector<int> newRowOf(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        order[static_cast<size_t>(row)] = cells[static_cast<size_t>(row)].second;
        newRowOf[static_cast<size_t>(cells[static_cast<size_t>(row)].second)] = row;
    }
    cells = {}; // the views point into rows that are about to move

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before)
        after.push_back(index(newRowOf[static_cast<size_t>(i.row())], i.column()));
    Reorder(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace ui
