#include "ui/RowTableModel.h"

#include <algorithm>
#include <cstdint>
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

namespace {

// A cell as the sort sees it: its first sixteen bytes packed big-endian into
// two integers, so that most comparisons are integer comparisons even where
// many cells share a prefix ("Extension 1001", "Extension 1002"), then the
// whole cell (padding with zeros keeps the packed order that of the bytes),
// then the row it came from, which makes the order stable.
struct SortCell {
    std::uint64_t head[2];
    std::string_view bytes;
    int row;

    SortCell(std::string_view cell, int r)
        : head{Pack(cell, 0), Pack(cell, 8)}, bytes(cell), row(r) {}

    static std::uint64_t Pack(std::string_view cell, size_t from) {
        std::uint64_t packed = 0;
        for (size_t i = from; i < from + sizeof packed; ++i) {
            const auto byte = i < cell.size() ? static_cast<unsigned char>(cell[i]) : 0u;
            packed = packed << 8 | byte;
        }
        return packed;
    }
    // std::string_view compares through char_traits<char>, which orders
    // bytes as unsigned char.
    friend bool operator<(const SortCell& a, const SortCell& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        if (const int c = a.bytes.compare(b.bytes); c != 0)
            return c < 0;
        return a.row < b.row;
    }
};

} // namespace

void RowTableModelBase::SortByColumn(int column) {
    const int rows = RowsHeld();
    if (column < 0 || column >= ColumnCount() || rows == 0)
        return;
    std::vector<SortCell> cells;
    cells.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        cells.emplace_back(Cell(row, column), row);
    std::sort(cells.begin(), cells.end());

    std::vector<int> order(static_cast<size_t>(rows));
    std::vector<int> newRowOf(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        order[static_cast<size_t>(row)] = cells[static_cast<size_t>(row)].row;
        newRowOf[static_cast<size_t>(cells[static_cast<size_t>(row)].row)] = row;
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
