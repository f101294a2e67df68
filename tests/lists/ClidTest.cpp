// The CLID list and its entry dialog against the in-process server: the
// buttons that follow the rows, the checks of each target, the read-back of
// a saved entry, and the values kept when the server refuses one.

#include "ListsTestSupport.h"

#include "lists/ClidEntryDialog.h"
#include "lists/ClidListDialog.h"
#include "lists/ListsIds.h"

#include "server/ServerStatuses.h"
#include "ui/ResourceIds.h"

using namespace dialogtest;
using namespace liststest;
using namespace lists;
using namespace lists::ClidCtl;

namespace {

class ClidTest : public DialogTest {
protected:
    // Adds through the list: types the phone and the target box, presses OK.
    void AddThroughList(ClidListDialog& list, const QString& phone, int radio, int box,
                        const QString& value) {
        WhenModal<ClidEntryDialog>([=](ClidEntryDialog& d) {
            ClickButton(d, radio);
            TypeInto(d.Control(Phone), phone);
            TypeInto(d.Control(box), value);
            ClickButton(d, ui::ControlId::Ok);
        });
        list.OnAdd();
    }
};

TEST_F(ClidTest, TheRowButtonsFollowTheRows) {
    sim->state().clid.clear();
    auto list = OpenList<ClidListDialog>(session);
    EXPECT_EQ(list->RowCount(), 0);
    EXPECT_FALSE(RowButtonsEnabled(*list));

    AddThroughList(*list, "5551212", TableRadio, Table, "3");
    ASSERT_EQ(Keys(*list), std::vector<std::string>{"5551212"});
    EXPECT_EQ(list->RowAt(0).cells, (std::vector<std::string>{"5551212", "Table", "3"}));
    EXPECT_TRUE(RowButtonsEnabled(*list));
    EXPECT_EQ(SelectedKey(*list), "5551212");

    list->List()->SelectRow(-1);
    list->OnChange();
    list->OnDelete();
    EXPECT_EQ(messages, (QStringList{"You must first select an entry to change",
                                     "You must first select an entry to delete"}));

    Select(*list, "5551212");
    list->OnDelete();
    EXPECT_EQ(messages.back(), "Delete 5551212");
    EXPECT_EQ(list->RowCount(), 0);
    EXPECT_FALSE(RowButtonsEnabled(*list));
    EXPECT_TRUE(sim->state().clid.empty());
}

TEST_F(ClidTest, EachTargetIsCheckedInItsTurn) {
    struct Case {
        QString phone;
        int radio;
        int box;
        QString value;
        QString path;
        const char* message; // empty: saved
    } cases[] = {
        {"12345678901234", TableRadio, Table, "1", "", "Invalid phone #"},
        {"", TableRadio, Table, "1", "", "Invalid phone #"},
        {"555-1212", TableRadio, Table, "1", "", "Invalid phone #"},
        {"5551212", TableRadio, Table, "5", "", "Invalid table number"},
        {"5551212", ExtensionRadio, Extension, "200", "", "Invalid extension"},
        {"5551212", MailboxRadio, Mailbox, "", "", "Invalid mailbox number"},
        {"5551212", MailboxRadio, Mailbox, "2999", "", "Mailbox does not exist"},
        {"5551212", CcrRadio, CcrTree, "0", "1", "Invalid CCR tree number"},
        {"5551212", CcrRadio, CcrTree, "1", "1234567", "Invalid CCR Tree Path"},
        {"5551212", CcrRadio, CcrTree, "3", "1", "Invalid CCR tree number"}, // no such tree
        {"5551212", CcrRadio, CcrTree, "1", "9", "Invalid CCR Tree Path"},   // not in the tree
        {"911", TableRadio, Table, "1", "", "CLID number already exists"},
        {"1234567890123", CcrRadio, CcrTree, "1", "21", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        ClidEntryDialog d(session, ui::EntryMode::Add, {});
        WhenModal<ClidEntryDialog>([&](ClidEntryDialog& w) {
            ClickButton(w, c.radio);
            TypeInto(w.Control(Phone), c.phone);
            TypeInto(w.Control(c.box), c.value);
            if (c.radio == CcrRadio)
                TypeInto(w.Control(Path), c.path);
            ClickButton(w, ui::ControlId::Ok);
            if (*c.message == '\0')
                return;
            // Refused: still open, with what was typed.
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(w.ControlText(Phone), c.phone);
            EXPECT_EQ(w.ControlText(c.box), c.value);
        });
        const int result = d.Run();
        if (*c.message == '\0') {
            EXPECT_EQ(result, ui::ControlId::Ok);
            EXPECT_TRUE(messages.isEmpty());
            const zax::ClidEntry& e = sim->state().clid.at("1234567890123");
            EXPECT_EQ(e.CcrTree, 1);
            EXPECT_EQ(zax::GetText(e.CcrTreePath), "21");
        } else {
            EXPECT_EQ(messages, QStringList{c.message});
        }
    }
}

TEST_F(ClidTest, AMailboxNotYetSetUpIsOnlyAWarning) {
    const std::string uninitialized = [&] {
        for (const auto& [number, m] : sim->state().mailboxes)
            if (!m.initialized)
                return number;
        return std::string();
    }();
    ASSERT_FALSE(uninitialized.empty());
    ClidEntryDialog d(session, ui::EntryMode::Add, {});
    WhenModal<ClidEntryDialog>([&](ClidEntryDialog& w) {
        ClickButton(w, MailboxRadio);
        TypeInto(w.Control(Phone), "5551212");
        TypeInto(w.Control(Mailbox), QString::fromStdString(uninitialized));
        ClickButton(w, ui::ControlId::Ok);
    });
    EXPECT_EQ(d.Run(), ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Please be aware that this mailbox is not initialized"});
    EXPECT_EQ(zax::GetText(sim->state().clid.at("5551212").Mailbox), uninitialized);
}

TEST_F(ClidTest, ChangeModeKeepsThePhoneAndEnablesOneTargetAtATime) {
    auto list = OpenList<ClidListDialog>(session);
    Select(*list, "8005551234"); // a CCR tree entry
    WhenModal<ClidEntryDialog>([](ClidEntryDialog& d) {
        EXPECT_FALSE(d.Control(Phone)->isEnabled());
        EXPECT_EQ(d.ControlText(Phone), "8005551234");
        EXPECT_TRUE(d.IsChecked(CcrRadio));
        EXPECT_EQ(d.ControlText(CcrTree), "1");
        EXPECT_EQ(d.ControlText(Path), "12");
        for (int box : {Table, Extension, Mailbox})
            EXPECT_FALSE(d.Control(box)->isEnabled());
        ClickButton(d, ExtensionRadio);
        EXPECT_FALSE(d.Control(CcrTree)->isEnabled());
        EXPECT_FALSE(d.Control(Path)->isEnabled());
        EXPECT_TRUE(d.Control(Extension)->isEnabled());
        TypeInto(d.Control(Extension), "2003");
        ClickButton(d, ui::ControlId::Ok);
    });
    list->OnChange();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(list->RowAt(list->FindRow("8005551234")).cells,
              (std::vector<std::string>{"8005551234", "Extension", "2003"}));
    EXPECT_EQ(SelectedKey(*list), "8005551234");
    // Only the new target's fields go to the server.
    const auto sent = sim->recorder().CallsOf(zax::Opnum::SetClid).back();
    EXPECT_EQ(sent.Arg<uint8_t>(1), 0);
    EXPECT_EQ(sent.Arg<zax::ClidEntry>(0).CcrTree, 0);
    EXPECT_EQ(zax::GetText(sent.Arg<zax::ClidEntry>(0).CcrTreePath), "");
}

TEST_F(ClidTest, AnAddRefusedBeforeTheDialogOpensAddsNothing) {
    sim->FailStatus(zax::Opnum::CheckClidAdd, zax::StatusNoEntry);
    auto list = OpenList<ClidListDialog>(session);
    const size_t rows = static_cast<size_t>(list->RowCount());
    list->OnAdd(); // no entry dialog opens: the test would hang on one
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31012"});
    EXPECT_EQ(Keys(*list).size(), rows);
}

} // namespace
