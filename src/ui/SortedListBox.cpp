#include "ui/SortedListBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>

#include <utility>

namespace ui {
namespace {

// Draws a line's tab-separated pieces, each starting at its tab stop.
class TabStopDelegate : public QStyledItemDelegate {
public:
    explicit TabStopDelegate(const SortedListBox* box) : QStyledItemDelegate(nullptr), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem blank = option;
        initStyleOption(&blank, index);
        const QStringList pieces = blank.text.split(QLatin1Char('\t'));
        blank.text.clear();
        // Background and selection first, then the pieces on top. The style
        // draws the emptied option itself: handing it back through the base
        // paint would fill its text in again from the item.
        blank.features &= ~QStyleOptionViewItem::HasDisplay;
        const QStyle* style = option.widget != nullptr ? option.widget->style() : box_->style();
        style->drawControl(QStyle::CE_ItemViewItem, &blank, painter, option.widget);
        painter->save();
        painter->setPen(option.state & QStyle::State_Selected
                            ? option.palette.color(QPalette::HighlightedText)
                            : option.palette.color(QPalette::Text));
        const QRect area = option.rect.adjusted(3, 0, -3, 0);
        const QFontMetrics fm(option.font);
        const auto& stops = box_->TabStopPixels();
        int x = area.left();
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                const auto stop = static_cast<std::size_t>(i - 1);
                // Past the last stop, tabs advance by eight average characters.
                x = stop < stops.size()
                        ? std::max(area.left() + stops[stop], x + fm.averageCharWidth())
                        : x + 8 * fm.averageCharWidth();
            }
            const QRect cell(x, area.top(), area.right() - x, area.height());
            painter->drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, pieces[i]);
            x += fm.horizontalAdvance(pieces[i]);
        }
        painter->restore();
    }

private:
    const SortedListBox* box_;
};

} // namespace

SortedListBox::SortedListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TabStopDelegate(this));
    itemDelegate()->setParent(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

SortedListBox::~SortedListBox() = default;

void SortedListBox::SetTabStops(std::vector<int> dialogUnits) {
    const int averageWidth = QFontMetrics(font()).averageCharWidth();
    stopPixels_.clear();
    for (int units : dialogUnits) {
        stopPixels_.push_back(units * averageWidth / 4);
    }
    viewport()->update();
}

int SortedListBox::AddString(const QString& line) {
    // The first line that sorts after the new one; equal lines keep insertion order.
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (QString::compare(item(mid)->text(), line, Qt::CaseInsensitive) <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    insertItem(lo, line);
    return lo;
}

void SortedListBox::DeleteString(int index) {
    delete takeItem(index);
}

QString SortedListBox::GetText(int index) const {
    const QListWidgetItem* line = item(index);
    return line != nullptr ? line->text() : QString();
}

int SortedListBox::GetCurSel() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void SortedListBox::SetCurSel(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(index);
}

int SortedListBox::FindStringExact(const QString& line) const {
    for (int i = 0; i < count(); ++i) {
        if (QString::compare(item(i)->text(), line, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace ui
