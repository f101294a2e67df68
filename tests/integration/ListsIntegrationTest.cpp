// The group lists, the CLID table, the dialing translations and the Centrex
// restrictions end to end: the real client stubs over loopback to the real
// zaxsim program in both byte orders, an add, a change and a delete in each
// list, and a restarted server reading back what they saved.

#include "DialogTestSupport.h"
#include "ListsTestSupport.h"
#include "LoopbackDialogs.h"
#include "ZaxsimProcess.h"

#include "lists/AddGroupListDialog.h"
#include "lists/CentrexEntryDialog.h"
#include "lists/CentrexListDialog.h"
#include "lists/ClidEntryDialog.h"
#include "lists/ClidListDialog.h"
#include "lists/DialingParametersDialog.h"
#include "lists/GroupListDialog.h"
#include "lists/GroupListsDialog.h"
#include "lists/ListsIds.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationListDialog.h"
#include "server/Enumerate.h"
#include "ui/ResourceIds.h"

#include <filesystem>
#include <set>

using namespace lists;
using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using liststest::OpenList;
using liststest::Select;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

class ListsOverLoopback : public loopback::DialogsOverLoopback {
protected:
    ListsOverLoopback() : DialogsOverLoopback("lists") {}

    static void EditGroupLists(zax::Session& session) {
        auto lists = OpenList<GroupListsDialog>(session);
        WhenModal<AddGroupListDialog>([](AddGroupListDialog& add) {
            WhenModal<GroupListDialog>([](GroupListDialog& d) {
                TypeInto(d.Control(MembersCtl::Name), "NIGHT-SHIFT");
                ClickButton(d, MembersCtl::AddMailbox);
                ClickButton(d, ui::ControlId::Ok);
            });
            ClickButton(add, ui::ControlId::Ok);
        });
        lists->OnAdd();
        Select(*lists, "9001");
        WhenModal<GroupListDialog>([](GroupListDialog& d) {
            ClickButton(d, MembersCtl::RemoveMailbox); // the first member, 2005 (BAKER,TOM)
            TypeInto(d.Control(MembersCtl::Name), "SALES");
            ClickButton(d, ui::ControlId::Ok);
        });
        lists->OnChange();
        Select(*lists, "9002");
        lists->OnDelete();
        EXPECT_EQ(liststest::Keys(*lists),
                  (std::vector<std::string>{"9000", "9001", "9003", "9004"}));
    }

    static void EditClid(zax::Session& session) {
        auto clid = OpenList<ClidListDialog>(session);
        WhenModal<ClidEntryDialog>([](ClidEntryDialog& d) {
            TypeInto(d.Control(ClidCtl::Phone), "5551212");
            TypeInto(d.Control(ClidCtl::Table), "2");
            ClickButton(d, ui::ControlId::Ok);
        });
        clid->OnAdd();
        Select(*clid, "911");
        WhenModal<ClidEntryDialog>([](ClidEntryDialog& d) {
            ClickButton(d, ClidCtl::CcrRadio);
            TypeInto(d.Control(ClidCtl::CcrTree), "2");
            TypeInto(d.Control(ClidCtl::Path), "3");
            ClickButton(d, ui::ControlId::Ok);
        });
        clid->OnChange();
        Select(*clid, "6135550100");
        clid->OnDelete();
        EXPECT_EQ(clid->RowAt(clid->FindRow("911")).cells,
                  (std::vector<std::string>{"911", "CCR Tree", "2"}));
    }

    static void EditTranslations(zax::Session& session) {
        auto table = OpenList<TranslationListDialog>(session);
        WhenModal<TranslationEntryDialog>([](TranslationEntryDialog& d) {
            TypeInto(d.Control(TranslationCtl::Input), "44");
            TypeInto(d.Control(TranslationCtl::Output), "01144");
            ClickButton(d, ui::ControlId::Ok);
        });
        table->OnAdd();
        Select(*table, "1800");
        WhenModal<TranslationEntryDialog>([](TranslationEntryDialog& d) {
            TypeInto(d.Control(TranslationCtl::Input), "1801");
            ClickButton(d, ui::ControlId::Ok);
        });
        table->OnChange();
        Select(*table, "411");
        table->OnDelete();
        WhenModal<DialingParametersDialog>([](DialingParametersDialog& d) {
            TypeInto(d.Control(DialingCtl::AreaCode), "819");
            ClickButton(d, ui::ControlId::Ok);
        });
        ClickButton(*table, ui::EntryListCtl::Extra);
    }

    static void EditCentrex(zax::Session& session) {
        auto restrictions = OpenList<CentrexListDialog>(session);
        WhenModal<CentrexEntryDialog>([](CentrexEntryDialog& d) {
            TypeInto(d.Control(CentrexCtl::Restriction), "1976");
            ClickButton(d, ui::ControlId::Ok);
        });
        restrictions->OnAdd();
        Select(*restrictions, "976");
        WhenModal<CentrexEntryDialog>([](CentrexEntryDialog& d) {
            TypeInto(d.Control(CentrexCtl::Restriction), "977");
            ClickButton(d, ui::ControlId::Ok);
        });
        restrictions->OnChange();
        Select(*restrictions, "900");
        restrictions->OnDelete();
    }
};

TEST_F(ListsOverLoopback, EveryListSavesWhatARestartedServerReadsBack) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        {
            ZaxsimProcess sim(Args(byteOrder));
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);
            EditGroupLists(session);
            EditClid(session);
            EditTranslations(session);
            EditCentrex(session);
            EXPECT_EQ(messages, (QStringList{"Delete 9002", "Delete 6135550100", "Delete 411",
                                             "Delete 900"}));
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::VoiceMailServer& server = *later.server;

        zax::GroupListRecord header{};
        zax::SetText(header.ListNumber, "9001");
        ASSERT_EQ(server.GetGroupList(header), 0);
        EXPECT_EQ(zax::GetText(header.ListName), "SALES");
        std::set<std::string> members;
        zax::Enumerate<zax::GroupListRecord>(
            [&](zax::GroupListRecord& r) {
                zax::SetText(r.ListNumber, "9001");
                return server.GetFirstGroupMember(r);
            },
            [&](zax::GroupListRecord& r) { return server.GetNextGroupMember(r); },
            [&](const zax::GroupListRecord& r) { members.insert(zax::GetText(r.MemberMailbox)); });
        EXPECT_EQ(members, (std::set<std::string>{"2004", "2006", "2007"}));
        zax::SetText(header.ListNumber, "9000");
        ASSERT_EQ(server.GetGroupList(header), 0);
        EXPECT_EQ(zax::GetText(header.ListName), "NIGHT-SHIFT");
        zax::SetText(header.ListNumber, "9002");
        EXPECT_EQ(server.GetGroupList(header), zax::StatusNoEntry);

        zax::ClidEntry entry{};
        zax::SetText(entry.PhoneNumber, "5551212");
        ASSERT_EQ(server.GetClid(entry, 0), 0);
        EXPECT_EQ(entry.GreetingTable, 2);
        zax::SetText(entry.PhoneNumber, "911");
        ASSERT_EQ(server.GetClid(entry, 0), 0);
        EXPECT_EQ(entry.TargetType, static_cast<int16_t>(zax::ClidTarget::CcrTree));
        EXPECT_EQ(zax::GetText(entry.CcrTreePath), "3");
        zax::SetText(entry.PhoneNumber, "6135550100");
        EXPECT_NE(server.GetClid(entry, 0), 0);

        std::map<std::string, std::string> pairs;
        zax::Chars<15> input{};
        zax::Chars<16> output{};
        for (auto s = server.GetFirstTranslation(input, output, 1); s == 0;
             s = server.GetNextTranslation(input, output))
            pairs[input.data()] = output.data();
        EXPECT_EQ(pairs.at("44"), "01144");
        EXPECT_EQ(pairs.at("1801"), "91800");
        EXPECT_FALSE(pairs.contains("1800"));
        EXPECT_FALSE(pairs.contains("411"));
        zax::DialingParameters dialing{};
        ASSERT_EQ(server.GetDialingParameters(dialing), 0);
        EXPECT_EQ(zax::GetText(dialing.AreaCode), "819");

        std::set<std::string> restrictions;
        zax::Chars<15> digits{};
        for (auto s = server.GetFirstCentrexRestriction(digits, 1); s == 0;
             s = server.GetNextCentrexRestriction(digits))
            restrictions.insert(digits.data());
        EXPECT_EQ(restrictions, (std::set<std::string>{"011", "1900", "1976", "977"}));
    }
}

} // namespace
