// The Mailbox Administration list against the in-process simulated server:
// loading in batches, sorting, change and delete.

#include "../sim/RecordBytes.h"
#include "MailboxTestSupport.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListDialog.h"
#include "mailbox/MailboxListRow.h"
#include "mailbox/MailboxPage.h"
#include "mailbox/MailboxTypes.h"

#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <QHeaderView>
#include <QPushButton>

using namespace mailbox;
using namespace mailboxtest;

namespace {

class MailboxListTest : public MailboxTest {
protected:
    // A list loaded and shown, as Run shows it, without running it modally.
    std::unique_ptr<MailboxListDialog> Open() {
        auto dialog = std::make_unique<MailboxListDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    static QPushButton* Button(MailboxListDialog& d, int id) {
        return d.ControlAs<QPushButton>(id);
    }
    static QStringList Column(MailboxListDialog& d, int column) {
        QStringList texts;
        for (int i = 0; i < d.List()->RowCount(); ++i)
            texts << d.List()->CellText(i, column);
        return texts;
    }
    static void SelectNumber(MailboxListDialog& d, const std::string& number) {
        ASSERT_TRUE(d.List()->SelectKey(number)) << number;
    }
    static QString Selected(MailboxListDialog& d, int column) {
        return d.List()->CellText(d.List()->SelectedRow(), column);
    }
};

TEST_F(MailboxListTest, BatchesOfTwentyFiveStopAfterTheFirstShortOne) {
    const struct {
        int mailboxes;
        size_t batchCalls;
    } cases[] = {{1, 1}, {24, 1}, {25, 1}, {26, 2}, {50, 2}, {51, 3}, {76, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mailboxes);
        Use(Subscribers(c.mailboxes));
        auto dialog = Open();
        EXPECT_EQ(dialog->RowCount(), c.mailboxes);
        EXPECT_EQ(CallsOf(zax::Opnum::FindFirstEntry), 1u);
        EXPECT_EQ(CallsOf(zax::Opnum::FindNextEntries), c.batchCalls);
        for (const auto& call : sim->recorder().CallsOf(zax::Opnum::FindNextEntries))
            EXPECT_EQ(call.Arg<int16_t>(1), 25);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        EXPECT_TRUE(Button(*dialog, ListCtl::Change)->isEnabled());
    }
}

TEST_F(MailboxListTest, EmptyTableShowsNoColumnsNoMessageAndDisablesTheButtons) {
    Use(Subscribers(0));
    auto dialog = Open();
    EXPECT_EQ(dialog->RowCount(), 0);
    EXPECT_EQ(dialog->List()->ColumnCount(), 0);
    EXPECT_TRUE(dialog->List()->isHeaderHidden());
    EXPECT_FALSE(Button(*dialog, ListCtl::Change)->isEnabled());
    EXPECT_FALSE(Button(*dialog, ListCtl::Delete)->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(Calls(), std::vector<uint16_t>{zax::Opnum::FindFirstEntry});
}

TEST_F(MailboxListTest, ServerErrorsShowTheStatusAndKeepTheRowsRead) {
    const struct {
        uint16_t opnum;
        uint32_t nth;
        int rows;
    } cases[] = {{zax::Opnum::FindFirstEntry, 1, 0},
                 {zax::Opnum::FindNextEntries, 1, 1},
                 {zax::Opnum::FindNextEntries, 2, 26}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opnum * 10 + c.nth);
        Use(Subscribers(60));
        sim->FailStatus(c.opnum, 31033, c.nth);
        messages.clear();
        auto dialog = Open();
        EXPECT_EQ(dialog->RowCount(), c.rows);
        EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
        EXPECT_EQ(Button(*dialog, ListCtl::Delete)->isEnabled(), c.rows > 0);
    }
}

TEST_F(MailboxListTest, ThreeEqualColumnsSortedByNameWithTheFirstRowSelected) {
    auto dialog = Open();
    ASSERT_EQ(dialog->List()->ColumnCount(), 3);
    EXPECT_FALSE(dialog->List()->isHeaderHidden());
    const QAbstractItemModel* model = dialog->List()->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Number");
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Type");
    QApplication::processEvents(); // lets the scroll bars settle
    const int width = dialog->List()->columnWidth(0);
    EXPECT_EQ(dialog->List()->columnWidth(1), width);
    EXPECT_EQ(dialog->List()->columnWidth(2), width);
    const int viewport = dialog->List()->viewport()->width();
    EXPECT_LE(3 * width, viewport); // no horizontal scrolling
    EXPECT_GE(3 * width, viewport - 6);
    const QStringList names = Column(*dialog, 0);
    EXPECT_EQ(names.size(), static_cast<qsizetype>(sim->state().mailboxes.size()));
    EXPECT_EQ(names.front(), "ANDERSON,MARY");
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(dialog->List()->currentIndex().row(), 0);
    EXPECT_EQ(dialog->List()->SelectedRow(), 0);
    SelectNumber(*dialog, "4000");
    EXPECT_EQ(Selected(*dialog, 2), "AMIS");
}

TEST_F(MailboxListTest, SortingIsAscendingByteWiseOnEveryHeaderClick) {
    Use(WithMailboxes({{"209", "smith"},
                       {"210", "Smith"},
                       {"211", "SMITH"},
                       {"300", "_UNDER"},
                       {"9", "ZED", 9},
                       {"10", "adam", 2}}));
    auto dialog = Open();
    // Upper case before lower case, "_" between them: the bytes decide.
    EXPECT_EQ(Column(*dialog, 0),
              (QStringList{"SMITH", "Smith", "ZED", "_UNDER", "adam", "smith"}));
    SelectNumber(*dialog, "210");
    QHeaderView* header = dialog->List()->header();
    for (int click = 0; click < 2; ++click) { // a second click sorts the same way again
        emit header->sectionClicked(1);
        EXPECT_EQ(Column(*dialog, 1), (QStringList{"10", "209", "210", "211", "300", "9"}));
    }
    emit header->sectionClicked(2);
    EXPECT_EQ(Column(*dialog, 2).front(), "AMIS");
    EXPECT_EQ(Column(*dialog, 2).back(), "Subscriber");
    EXPECT_EQ(Selected(*dialog, 0), "Smith"); // the selection went with its row
}

TEST_F(MailboxListTest, DeleteAsksThenSendsOnlyTheNumber) {
    auto dialog = Open();
    SelectNumber(*dialog, "2024");
    const int rows = dialog->RowCount();

    answer = ui::kAnswerCancel;
    Button(*dialog, ListCtl::Delete)->click();
    EXPECT_EQ(messages, QStringList{"Delete 2024, YOUNG,DAVID"});
    EXPECT_EQ(styles.back(), ui::kStyleQuestion);
    EXPECT_EQ(CallsOf(zax::Opnum::DeleteMailbox), 0u);

    answer = ui::kAnswerOk;
    Button(*dialog, ListCtl::Delete)->click();
    ASSERT_EQ(CallsOf(zax::Opnum::DeleteMailbox), 1u);
    const auto deletes = sim->recorder().CallsOf(zax::Opnum::DeleteMailbox);
    const auto& sent = deletes[0].Arg<zax::MailboxRecord>(0);
    zax::MailboxRecord expected{};
    zax::SetText(expected.Number, "2024");
    EXPECT_TRUE(zaxsim::test::SameRecord(sent, expected));
    EXPECT_EQ(dialog->RowCount(), rows - 1);
    EXPECT_FALSE(Column(*dialog, 1).contains("2024"));
    EXPECT_EQ(sim->state().FindMailbox("2024"), nullptr);
}

TEST_F(MailboxListTest, RefusedDeletesShowTheirMessageAndKeepTheRow) {
    const struct {
        const char* number;
        const char* message;
    } cases[] = {
        {"1000", "Cannot delete a system mailbox"},
        {"2004", "Mailbox is in use"},
    };
    auto dialog = Open();
    for (const auto& c : cases) {
        messages.clear();
        SelectNumber(*dialog, c.number);
        Button(*dialog, ListCtl::Delete)->click();
        ASSERT_EQ(messages.size(), 2);
        EXPECT_EQ(messages[1], c.message);
        EXPECT_TRUE(Column(*dialog, 1).contains(c.number));
    }
    EXPECT_EQ(dialog->result(), 0); // still open
}

TEST_F(MailboxListTest, DeletingTheLastRowDisablesChangeAndDelete) {
    Use(WithMailboxes({{"2000", "ONLY,ONE"}}));
    auto dialog = Open();
    Button(*dialog, ListCtl::Delete)->click();
    EXPECT_EQ(dialog->RowCount(), 0);
    EXPECT_FALSE(Button(*dialog, ListCtl::Change)->isEnabled());
    EXPECT_FALSE(Button(*dialog, ListCtl::Delete)->isEnabled());
}

TEST_F(MailboxListTest, ChangeOpensTheSheetAndTheRowShowsTheSavedName) {
    auto dialog = Open();
    SelectNumber(*dialog, "2002");
    QString caption;
    WhenModal<CMbxProps>([&caption](CMbxProps& sheet) {
        caption = sheet.windowTitle();
        EXPECT_EQ(sheet.ActiveIndex(), 0);
        TypeInto(sheet.PageInSlot(SlotGeneral)->Control(GeneralCtl::FirstName), "TOM");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    Button(*dialog, ListCtl::Change)->click();
    EXPECT_EQ(caption, "Mailbox Administration - 2002");
    EXPECT_EQ(Selected(*dialog, 0), "BAKER,TOM");
    EXPECT_EQ(Selected(*dialog, 1), "2002");
    EXPECT_EQ(zax::GetText(sim->state().FindMailbox("2002")->Name), "BAKER,TOM");

    // A double click opens it too.
    bool opened = false;
    WhenModal<CMbxProps>([&opened](CMbxProps&) { opened = true; });
    emit dialog->List()->doubleClicked(dialog->List()->currentIndex());
    EXPECT_TRUE(opened);
}

TEST_F(MailboxListTest, TypesWithoutPagesGetAMessageInsteadOfAnEmptySheet) {
    Use(WithMailboxes({{"2000", "ODD,BOX", 7}}));
    auto dialog = Open();
    EXPECT_EQ(dialog->List()->CellText(0, 2), "-------");
    Button(*dialog, ListCtl::Change)->click(); // would hang if a sheet were run
    EXPECT_EQ(messages,
              QStringList{"This type of mailbox has no properties that can be changed here"});
}

TEST(MailboxTypeText, EveryCode) {
    const struct {
        int16_t type;
        const char* text;
    } cases[] = {{-1, "Subscriber"}, {0, "Subscriber"}, {1, "Subscriber"},  {2, "Information"},
                 {3, "Subscriber"},  {4, "Subscriber"}, {5, "FaxOnDemand"}, {6, "FaxOverflow"},
                 {7, "-------"},     {8, "-------"},    {9, "AMIS"},        {10, "Network"},
                 {11, "-------"},    {300, "-------"}};
    for (const auto& c : cases)
        EXPECT_EQ(MailboxTypeText(c.type), c.text) << c.type;
}

} // namespace
