#include "ui/ReportListView.h"

#include <QHeaderView>

namespace ui {
namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSortingEnabled(true);
    sortByColumn(-1, Qt::AscendingOrder); // rows stay in insertion order until a header is clicked
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this,
            [this] { header()->setSortIndicatorShown(true); });
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { emit RowActivated(indexOfTopLevelItem(item)); });
}

ReportListView::~ReportListView() = default;

void ReportListView::SetColumns(const QStringList& headers) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
}

int ReportListView::InsertRow(const QStringList& cells, qint64 key) {
    auto* item = new QTreeWidgetItem(cells);
    item->setData(0, kDataRole, key);
    addTopLevelItem(item);
    return indexOfTopLevelItem(item);
}

void ReportListView::RemoveRow(int row) {
    delete takeTopLevelItem(row);
}

void ReportListView::SetItemText(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
    }
}

QString ReportListView::ItemText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->text(column) : QString();
}

qint64 ReportListView::ItemData(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->data(0, kDataRole).toLongLong() : 0;
}

int ReportListView::SelectedRow() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.front());
}

void ReportListView::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
        scrollToItem(item);
    } else {
        clearSelection();
    }
}

int ReportListView::FindRow(qint64 key) const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, kDataRole).toLongLong() == key) {
            return i;
        }
    }
    return -1;
}

} // namespace ui
