#pragma once
// The rows of a report list, held as the feature's own row structures. A
// column table says which bytes of a row each column shows; a key names each
// row across reloads, sorts and deletes. ReportListView works through the
// type-erased base, so one view serves every list whatever its row type.
//
// Cells are bytes, as the server holds its texts, and sorting compares them
// as bytes; a cell becomes a QString only when the view draws it.

#include <QAbstractTableModel>

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

// How a column's bytes become the text shown: record texts are Latin-1 (one
// character per byte); texts from the language module are UTF-8.
enum class TextEncoding { Latin1, Utf8 };

class RowTableModelBase : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    ~RowTableModelBase() override;

    int rowCount(const QModelIndex& parent = {}) const final;
    int columnCount(const QModelIndex& parent = {}) const final;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const final;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const final;

    int RowCount() const { return RowsHeld(); }
    int ColumnCount() const { return static_cast<int>(headers_.size()); }
    // The bytes a cell shows; what sorting compares.
    virtual std::string_view Cell(int row, int column) const = 0;
    QString CellText(int row, int column) const;
    virtual std::string_view KeyAt(int row) const = 0;
    int FindKey(std::string_view key) const; // -1 when absent

    // Orders the rows by the column's bytes, ascending, each byte compared
    // as unsigned (so "Z" < "_" < "a", "10" < "9"); rows with equal cells
    // keep their order. Persistent indexes (the view's selection and current
    // row) follow their rows.
    void SortByColumn(int column);

protected:
    struct Header {
        QString text;
        TextEncoding encoding;
    };
    // Replaces the columns (one model reset; the rows stay).
    void SetHeaders(std::vector<Header> headers);
    virtual int RowsHeld() const = 0;
    // Reorders the rows so that row i becomes the old row order[i].
    virtual void Reorder(const std::vector<int>& order) = 0;

private:
    std::vector<Header> headers_;
};

template <class Row> class RowTableModel final : public RowTableModelBase {
public:
    // The bytes of a row a column shows, or its key: a member pointer
    // (&Row::name, to a std::string) or any callable returning a
    // std::string_view into the row.
    using Field = std::function<std::string_view(const Row&)>;
    struct Column {
        QString header;
        Field cell;
        TextEncoding encoding = TextEncoding::Latin1;
    };

    explicit RowTableModel(Field key, QObject* parent = nullptr)
        : RowTableModelBase(parent), key_(std::move(key)) {}

    void SetColumns(std::vector<Column> columns) {
        std::vector<Header> headers;
        headers.reserve(columns.size());
        for (const Column& c : columns)
            headers.push_back({c.header, c.encoding});
        columns_ = std::move(columns);
        SetHeaders(std::move(headers));
    }

    // Replaces every row: one model reset, whatever the number of rows.
    void SetRows(std::vector<Row> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    // Adds rows at the end: one insertion for the whole batch.
    void AppendRows(std::vector<Row> rows) {
        if (rows.empty())
            return;
        const int first = RowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                     std::make_move_iterator(rows.end()));
        endInsertRows();
    }
    // False when no row has the key.
    bool RemoveRow(std::string_view key) {
        const int row = FindKey(key);
        if (row < 0)
            return false;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
        return true;
    }
    // Replaces the row that has the key, where it stands; false when none has.
    bool UpdateRow(std::string_view key, Row value) {
        const int row = FindKey(key);
        if (row < 0)
            return false;
        rows_[static_cast<size_t>(row)] = std::move(value);
        emit dataChanged(index(row, 0), index(row, std::max(ColumnCount() - 1, 0)));
        return true;
    }

    const Row& At(int row) const { return rows_.at(static_cast<size_t>(row)); }
    const std::vector<Row>& Rows() const { return rows_; }

    std::string_view Cell(int row, int column) const override {
        return columns_[static_cast<size_t>(column)].cell(rows_[static_cast<size_t>(row)]);
    }
    std::string_view KeyAt(int row) const override { return key_(rows_[static_cast<size_t>(row)]); }

protected:
    int RowsHeld() const override { return static_cast<int>(rows_.size()); }
    void Reorder(const std::vector<int>& order) override {
        std::vector<Row> sorted;
        sorted.reserve(rows_.size());
        for (int from : order)
            sorted.push_back(std::move(rows_[static_cast<size_t>(from)]));
        rows_ = std::move(sorted);
    }

private:
    Field key_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
};

} // namespace ui
