// The report list over its row model: byte-wise sorting, the selection kept
// by key, and rows changed one at a time or all at once.

#include "ui/ReportListView.h"
#include "ui/RowTableModel.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using namespace ui;

namespace {

struct Entry {
    std::string number;
    std::string name;
    std::string kind; // UTF-8
};
using EntryModel = RowTableModel<Entry>;
using Keys = std::vector<std::string>;

class ReportListViewTest : public ::testing::Test {
protected:
    ReportListViewTest() {
        model = new EntryModel(&Entry::number, &view);
        view.SetRowModel(model);
    }
    void ThreeColumns() {
        model->SetColumns({
            {"Name", &Entry::name},
            {"Number", [](const Entry& e) { return std::string_view(e.number); }},
            {"Type", &Entry::kind, TextEncoding::Utf8},
        });
    }
    void Click(int column) { emit view.header()->sectionClicked(column); }
    Keys Order() const {
        Keys keys;
        for (const Entry& e : model->Rows())
            keys.push_back(e.number);
        return keys;
    }

    ReportListView view;
    EntryModel* model = nullptr;
};

TEST_F(ReportListViewTest, HeaderClicksSortAscendingByBytesKeepingTiesInOrder) {
    ThreeColumns();
    model->SetRows({{"9", "smith", "b"},
                    {"10", "SMITH", "b"},
                    {"300", "\xC9MILE", "a"}, // Latin-1 capital E acute: a byte above every letter
                    {"209", "_UNDER", "b"},
                    {"211", "SMITH", "a"},
                    {"12", "", "b"},
                    {"210", "adam", "a"}});
    EXPECT_EQ(Order(), (Keys{"9", "10", "300", "209", "211", "12", "210"})); // as given
    const struct {
        int column;
        Keys order;
    } clicks[] = {
        {1, {"10", "12", "209", "210", "211", "300", "9"}}, // numbers sort as text
        {0, {"12", "10", "211", "209", "210", "9", "300"}}, // equal names stay in number order
        {0, {"12", "10", "211", "209", "210", "9", "300"}}, // a second click: the same again
        {2, {"211", "210", "300", "12", "10", "209", "9"}},
        {7, {"211", "210", "300", "12", "10", "209", "9"}}, // no such column: no change
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.column);
        Click(c.column);
        EXPECT_EQ(Order(), c.order);
    }
    EXPECT_TRUE(view.header()->isSortIndicatorShown());
    EXPECT_EQ(view.header()->sortIndicatorSection(), 2);
    EXPECT_EQ(view.header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(ReportListViewTest, SortingAgreesWithAStableByteSortOnManyRows) {
    // Enough rows that the sort cannot fall back on a stable small-range
    // method, with cells that tie, share long prefixes, end within the
    // first eight or sixteen bytes or past them, and carry bytes above 0x7F.
    const std::string names[] = {"SMITHSON,ANN", "SMITHSON,AL",   "SMITHSON",
                                 "SMITH",        "SMITHSON,ANNE", "smith",
                                 "\xC9MILE",     "SMITHSO",       "",
                                 "SMITHSONIAN,ALBERTA", "SMITHSONIAN,ALBERT", "SMITHSONIAN,ALB\xC9"};
    std::vector<Entry> rows;
    for (int i = 0; i < 300; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        rows.push_back({number, names[static_cast<size_t>(i * 7 % 12)], ""});
    }
    std::vector<Entry> expected = rows;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const Entry& a, const Entry& b) { return a.name < b.name; });
    Keys expectedKeys;
    for (const Entry& e : expected)
        expectedKeys.push_back(e.number);

    ThreeColumns();
    model->SetRows(rows);
    Click(0);
    EXPECT_EQ(Order(), expectedKeys);
}

TEST_F(ReportListViewTest, CellsShowInTheirColumnsEncoding) {
    ThreeColumns();
    model->SetRows({{"1", "\xC9MILE", "Abonn\xC3\xA9"}});
    EXPECT_EQ(view.CellText(0, 0), QString::fromUtf8("\xC3\x89MILE"));
    EXPECT_EQ(view.CellText(0, 2), QString::fromUtf8("Abonn\xC3\xA9"));
    EXPECT_EQ(view.model()->data(view.model()->index(0, 1)).toString(), "1");
    EXPECT_EQ(view.model()->headerData(2, Qt::Horizontal).toString(), "Type");
    EXPECT_EQ(view.CellText(1, 0), ""); // out of range
    EXPECT_EQ(view.CellText(0, 3), "");
}

TEST_F(ReportListViewTest, TheHeaderShowsOnceThereAreColumns) {
    model->SetRows({{"1", "A", "x"}});
    EXPECT_TRUE(view.isHeaderHidden());
    EXPECT_EQ(view.ColumnCount(), 0);
    Click(0); // nothing to sort by
    EXPECT_FALSE(view.header()->isSortIndicatorShown());
    ThreeColumns();
    EXPECT_FALSE(view.isHeaderHidden());
    EXPECT_EQ(view.RowCount(), 1); // the rows stay
}

TEST_F(ReportListViewTest, TheSelectionFollowsItsKeyThroughSortsAndReloads) {
    ThreeColumns();
    model->SetRows({{"1", "C", ""}, {"2", "B", ""}, {"3", "A", ""}});
    ASSERT_TRUE(view.SelectKey("1"));
    EXPECT_EQ(view.SelectedRow(), 0);
    Click(0);
    EXPECT_EQ(view.SelectedRow(), 2);
    EXPECT_EQ(view.SelectedKey(), "1");
    EXPECT_EQ(view.currentIndex().row(), 2);

    const struct {
        std::vector<Entry> rows;
        std::optional<std::string> selected;
        int row;
    } reloads[] = {
        {{{"4", "D", ""}, {"3", "A", ""}, {"1", "C", ""}}, "1", 2},
        {{{"1", "C", ""}}, "1", 0},
        {{{"2", "B", ""}, {"3", "A", ""}}, std::nullopt, -1}, // gone: nothing selected
        {{{"1", "C", ""}}, std::nullopt, -1},                 // and it stays unselected
    };
    for (const auto& r : reloads) {
        SCOPED_TRACE(r.rows.size());
        model->SetRows(r.rows);
        EXPECT_EQ(view.SelectedKey(), r.selected);
        EXPECT_EQ(view.SelectedRow(), r.row);
    }
    EXPECT_FALSE(view.SelectKey("9"));
    EXPECT_EQ(view.SelectedRow(), -1);
}

TEST_F(ReportListViewTest, RowsChangeOneAtATimeOrAllAtOnce) {
    ThreeColumns();
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);

    model->SetRows(std::vector<Entry>(1000, Entry{"5", "E", ""}));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    model->SetRows({{"1", "A", ""}, {"2", "B", ""}, {"3", "C", ""}});
    model->AppendRows({{"4", "D", ""}, {"5", "E", ""}});
    model->AppendRows({});
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(Order(), (Keys{"1", "2", "3", "4", "5"}));

    view.SelectKey("3");
    EXPECT_TRUE(model->UpdateRow("3", {"3", "CHANGED", ""}));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(view.CellText(2, 0), "CHANGED"); // where it was, unsorted
    EXPECT_FALSE(model->UpdateRow("7", {"7", "X", ""}));

    EXPECT_TRUE(model->RemoveRow("1"));
    EXPECT_FALSE(model->RemoveRow("1"));
    EXPECT_EQ(view.SelectedKey(), "3"); // a row above went; the selection stays on its row
    EXPECT_TRUE(model->RemoveRow("3"));
    EXPECT_NE(view.SelectedKey(), "3");
    EXPECT_EQ(Order(), (Keys{"2", "4", "5"}));
    EXPECT_EQ(model->FindKey("5"), 2);
    EXPECT_EQ(model->FindKey("3"), -1);
}

} // namespace
