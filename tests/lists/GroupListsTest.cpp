// The group lists against the in-process server: the overview, adding a
// list through Add Group List and the member editor, the members sent as
// the difference of what was read and what is shown, and the fax members.

#include "ListsTestSupport.h"

#include "lists/AddGroupListDialog.h"
#include "lists/FaxMemberDialog.h"
#include "lists/GroupListDialog.h"
#include "lists/GroupListsDialog.h"
#include "lists/ListsIds.h"

#include "server/ServerStatuses.h"
#include "ui/ResourceIds.h"
#include "ui/SortedListBox.h"

using namespace dialogtest;
using namespace liststest;
using namespace lists;
using namespace lists::MembersCtl;

namespace {

ui::SortedListBox* Box(GroupListDialog& d, int id) {
    return d.ControlAs<ui::SortedListBox>(id);
}

QStringList Rows(GroupListDialog& d, int id) {
    QStringList rows;
    for (int i = 0; i < Box(d, id)->GetCount(); ++i)
        rows << Box(d, id)->GetText(i);
    return rows;
}

// Selects the row of the box that begins with `text` and presses `button`.
void Move(GroupListDialog& d, int box, const QString& text, int button) {
    for (int i = 0; i < Box(d, box)->GetCount(); ++i)
        if (Box(d, box)->GetText(i).startsWith(text)) {
            Box(d, box)->SetCurSel(i);
            ClickButton(d, button);
            return;
        }
    ADD_FAILURE() << "no row " << text.toStdString();
}

class GroupListsTest : public DialogTest {
protected:
    std::vector<uint16_t> MemberWrites() const {
        std::vector<uint16_t> out;
        for (uint16_t op : Calls())
            if (op >= zax::Opnum::AddGroupList && op <= zax::Opnum::DeleteGroupList)
                out.push_back(op);
        return out;
    }
    // Opens the editor of an existing list, acts, and returns its result.
    int Edit(const std::string& number, const std::function<void(GroupListDialog&)>& act) {
        GroupListDialog d(session, number, std::nullopt);
        WhenModal<GroupListDialog>(act);
        return d.Run();
    }
};

TEST_F(GroupListsTest, TheOverviewListsNumberNameAndKind) {
    auto list = OpenList<GroupListsDialog>(session);
    EXPECT_EQ(Keys(*list), (std::vector<std::string>{"9001", "9002", "9003", "9004"}));
    EXPECT_EQ(list->RowAt(0).cells, (std::vector<std::string>{"9001", "SALES-TEAM", "Voice"}));
    EXPECT_EQ(list->RowAt(3).cells[2], "Fax");
    EXPECT_EQ(SelectedKey(*list), "9001");
}

TEST_F(GroupListsTest, ANetworkMemberIsShownButOffersNothingWhileNetworkListsAreOff) {
    session.systemInfo.NetworkGroupListEnabled = 0;
    Edit("9002", [](GroupListDialog& d) {
        const QStringList current = Rows(d, Current);
        EXPECT_TRUE(current.contains("HARPER,ELLEN\t4000"));
        const QStringList available = Rows(d, Available);
        EXPECT_EQ(available.filter("\t400").size(), 0);  // no AMIS or network mailbox
        EXPECT_EQ(available.filter("\t2001").size(), 0); // a member is not offered again
        EXPECT_EQ(available.filter("\t2004").size(), 1);
    });
}

TEST_F(GroupListsTest, RemovingEveryMemberIsRefusedAndSendsNothing) {
    sim->recorder().Clear();
    EXPECT_EQ(Edit("9001",
                   [](GroupListDialog& d) {
                       while (Box(d, Current)->GetCount() > 0)
                           ClickButton(d, RemoveMailbox);
                       EXPECT_FALSE(d.Control(RemoveMailbox)->isEnabled());
                       ClickButton(d, ui::ControlId::Ok);
                   }),
              ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"You must define at least one member in the group list"});
    EXPECT_TRUE(MemberWrites().empty());
}

TEST_F(GroupListsTest, OnlyTheDifferenceIsSent) {
    sim->recorder().Clear();
    EXPECT_EQ(Edit("9001",
                   [](GroupListDialog& d) {
                       // Removed and added back: nothing to send for it.
                       Move(d, Current, "DUBOIS,CLAIRE", RemoveMailbox);
                       Move(d, Available, "DUBOIS,CLAIRE", AddMailbox);
                       Move(d, Current, "BAKER,TOM", RemoveMailbox);
                       Move(d, Available, "CHEN,LI", AddMailbox);
                       ClickButton(d, ui::ControlId::Ok);
                   }),
              ui::ControlId::Ok);
    EXPECT_EQ(MemberWrites(),
              (std::vector<uint16_t>{zax::Opnum::ChangeGroupList, zax::Opnum::RemoveGroupMember,
                                     zax::Opnum::AddGroupMember}));
    const auto removed = sim->recorder().CallsOf(zax::Opnum::RemoveGroupMember).at(0);
    EXPECT_EQ(zax::GetText(removed.Arg<zax::GroupListRecord>(0).MemberMailbox), "2005");
    const auto added = sim->recorder().CallsOf(zax::Opnum::AddGroupMember).at(0);
    EXPECT_EQ(zax::GetText(added.Arg<zax::GroupListRecord>(0).MemberMailbox), "2003");
}

TEST_F(GroupListsTest, TheNameIsCheckedBeforeTheMembers) {
    for (const QString& name :
         {QString(18, 'A'), QString("SALES TEAM"), QString("SALES_TEAM"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        messages.clear();
        sim->recorder().Clear();
        Edit("9001", [&](GroupListDialog& d) {
            TypeInto(d.Control(Name), name);
            ClickButton(d, ui::ControlId::Ok);
        });
        EXPECT_EQ(messages, QStringList{"Invalid name"});
        EXPECT_TRUE(MemberWrites().empty());
    }
}

TEST_F(GroupListsTest, AddingAListGoesThroughTheMemberEditor) {
    auto list = OpenList<GroupListsDialog>(session);
    // Cancelled in the editor: Add Group List closes anyway, nothing is made.
    WhenModal<AddGroupListDialog>([](AddGroupListDialog& add) {
        EXPECT_EQ(add.ControlText(AddGroupCtl::Number), "9000");
        EXPECT_TRUE(add.IsChecked(AddGroupCtl::Voice));
        WhenModal<GroupListDialog>([](GroupListDialog& d) {
            ClickButton(d, AddMailbox);
            ClickButton(d, ui::ControlId::Cancel);
        });
        ClickButton(add, ui::ControlId::Ok);
        EXPECT_FALSE(add.isVisible());
    });
    list->OnAdd();
    EXPECT_EQ(list->RowCount(), 4);
    EXPECT_FALSE(sim->state().groupLists.contains("9000"));

    WhenModal<AddGroupListDialog>([](AddGroupListDialog& add) {
        WhenModal<GroupListDialog>([](GroupListDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Group List - 9000");
            TypeInto(d.Control(Name), "NIGHT-SHIFT");
            Move(d, Available, "CHEN,LI", AddMailbox);
            ClickButton(d, ui::ControlId::Ok);
        });
        ClickButton(add, ui::ControlId::Ok);
    });
    list->OnAdd();
    EXPECT_EQ(list->RowAt(list->FindRow("9000")).cells,
              (std::vector<std::string>{"9000", "NIGHT-SHIFT", "Voice"}));
    EXPECT_EQ(SelectedKey(*list), "9000");
    ASSERT_TRUE(sim->state().groupLists.contains("9000"));
    EXPECT_EQ(sim->state().groupLists.at("9000").members.size(), 1u);
}

TEST_F(GroupListsTest, AFullTableOffersNoNewList) {
    sim->state().capacity.GroupLists = static_cast<int16_t>(sim->state().groupLists.size());
    auto list = OpenList<GroupListsDialog>(session);
    list->OnAdd(); // no Add Group List opens: the test would hang on one
    EXPECT_EQ(messages, QStringList{"No group lists available"});
    EXPECT_EQ(list->RowCount(), 4);
}

// A second OK after a refused member sends only what is still missing,
// and never adds the list twice.
TEST_F(GroupListsTest, ASecondOkAfterARefusalSendsOnlyWhatIsMissing) {
    sim->FailStatus(zax::Opnum::AddGroupMember, 31033, 2);
    GroupListDialog d(session, "9000", zax::GroupListKind::Voice);
    WhenModal<GroupListDialog>([](GroupListDialog& w) {
        TypeInto(w.Control(Name), "NEW");
        Move(w, Available, "CHEN,LI", AddMailbox);
        Move(w, Available, "BAKER,THOMAS", AddMailbox);
        ClickButton(w, ui::ControlId::Ok);
        EXPECT_TRUE(w.isVisible());
        ClickButton(w, ui::ControlId::Ok);
    });
    EXPECT_EQ(d.Run(), ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(MemberWrites(),
              (std::vector<uint16_t>{zax::Opnum::AddGroupList, zax::Opnum::AddGroupMember,
                                     zax::Opnum::AddGroupMember, zax::Opnum::ChangeGroupList,
                                     zax::Opnum::AddGroupMember}));
    EXPECT_EQ(sim->state().groupLists.at("9000").members.size(), 2u);
}

TEST_F(GroupListsTest, FaxMembersAreCheckedByTheirRoute) {
    using namespace FaxMemberCtl;
    struct Case {
        QString name;
        int route;
        QString phone;
        QString number;
        const char* message;
    } cases[] = {
        {"", Line, "5551234", "1", "Invalid name"},
        {QString(17, 'A'), Line, "5551234", "1", "Invalid name"},
        {"ACME", Line, "555-1234", "1", "Invalid dialable number"},
        {"ACME", Line, "5551234", "9", "Invalid line number"},
        {"ACME", Pool, "5551234", "5", "Invalid pool number"},
        {"ACME", Extension, "", "32", "Invalid extension"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        FaxMemberDialog d(session);
        WhenModal<FaxMemberDialog>([&](FaxMemberDialog& w) {
            EXPECT_TRUE(w.IsChecked(Line));
            EXPECT_FALSE(w.Control(PoolNumber)->isEnabled());
            ClickButton(w, c.route);
            EXPECT_EQ(w.Control(Phone)->isEnabled(), c.route != Extension);
            TypeInto(w.Control(FaxMemberCtl::Name), c.name);
            if (c.route != Extension)
                TypeInto(w.Control(Phone), c.phone);
            const int box = c.route == Line   ? LineNumber
                            : c.route == Pool ? PoolNumber
                                              : ExtensionNumber;
            TypeInto(w.Control(box), c.number);
            ClickButton(w, ui::ControlId::Ok);
        });
        EXPECT_EQ(d.Run(), ui::ControlId::Cancel);
        EXPECT_EQ(messages, QStringList{c.message});
    }

    // A new member by pool goes to the server with the list's OK.
    EXPECT_EQ(Edit("9004",
                   [](GroupListDialog& d) {
                       EXPECT_FALSE(d.Control(Available)->isVisible());
                       WhenModal<FaxMemberDialog>([](FaxMemberDialog& w) {
                           TypeInto(w.Control(FaxMemberCtl::Name), "ACME,INC");
                           ClickButton(w, Pool);
                           TypeInto(w.Control(Phone), "*9P5551234#");
                           TypeInto(w.Control(PoolNumber), "3");
                           ClickButton(w, ui::ControlId::Ok);
                       });
                       ClickButton(d, AddFax);
                       EXPECT_TRUE(Rows(d, Current).contains("ACME,INC\t*9P5551234#"));
                       ClickButton(d, ui::ControlId::Ok);
                   }),
              ui::ControlId::Ok);
    const zax::GroupListRecord& added = sim->state().groupLists.at("9004").members.back();
    EXPECT_EQ(zax::GetText(added.DialString), "*9P5551234#");
    EXPECT_EQ(added.FaxRoute, static_cast<int16_t>(zax::FaxRoute::ByPool));
    EXPECT_EQ(added.LineOrPoolNumber, 3);
}

} // namespace
