// The simulated server's group lists, CLID table, dialing translations and
// Centrex restrictions: what each procedure refuses and with which status,
// the walks each connection keeps for itself, members kept in step with
// their mailboxes, and every change surviving a restart.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::SetText;
constexpr zax::ServerStatus Bad = StatusInvalidRecord;

zax::GroupListRecord Header(const std::string& number, const std::string& name = "TEAM",
                            zax::GroupListKind kind = zax::GroupListKind::Voice) {
    zax::GroupListRecord r{};
    SetText(r.ListNumber, number);
    SetText(r.ListName, name);
    r.Kind = static_cast<int16_t>(kind);
    return r;
}

zax::GroupListRecord MailboxMember(const std::string& list, const std::string& mailbox) {
    zax::GroupListRecord r = Header(list, "");
    SetText(r.MemberMailbox, mailbox);
    return r;
}

zax::GroupListRecord FaxMember(const std::string& list, const std::string& name,
                               zax::FaxRoute route, int16_t number, const std::string& dial) {
    zax::GroupListRecord r = Header(list, "", zax::GroupListKind::Fax);
    SetText(r.FaxMemberName, name);
    r.FaxRoute = static_cast<int16_t>(route);
    r.LineOrPoolNumber = number;
    SetText(r.DialString, dial);
    return r;
}

std::vector<std::string> MemberKeys(SimConnection& c, const std::string& list) {
    std::vector<std::string> keys;
    zax::GroupListRecord r = Header(list, "");
    for (auto s = c.GetFirstGroupMember(r); s == 0; s = c.GetNextGroupMember(r))
        keys.push_back(r.Kind == 0 ? GetText(r.MemberMailbox) : GetText(r.DialString));
    return keys;
}

zax::ClidEntry Clid(const std::string& phone, zax::ClidTarget type) {
    zax::ClidEntry e{};
    SetText(e.PhoneNumber, phone);
    e.TargetType = static_cast<int16_t>(type);
    return e;
}

template <size_t N> zax::Chars<N> Digits(const std::string& text) {
    zax::Chars<N> c{};
    text.copy(c.data(), std::min(text.size(), N));
    return c;
}

TEST(SimListsTest, GroupListHeadersAreCheckedAndNumberedFromTheLeadingDigit) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    int16_t free = 0;
    ASSERT_EQ(c.GetFreeGroupListNumber(free), 0);
    EXPECT_EQ(free, 9000); // the demo lists are 9001 to 9004

    struct Case {
        const char* what;
        zax::GroupListRecord record;
        zax::ServerStatus expected;
    } cases[] = {
        {"outside the lists' range", Header("8000"), Bad},
        {"wrong length", Header("900"), Bad},
        {"name of 18 characters", Header("9000", std::string(18, 'A')), Bad},
        {"name with a blank", Header("9000", "SALES TEAM"), Bad},
        {"name with an underscore", Header("9000", "SALES_TEAM"), Bad},
        {"empty name", Header("9000", ""), Bad},
        {"unknown kind", Header("9000", "TEAM", static_cast<zax::GroupListKind>(2)), Bad},
        {"number taken", Header("9001"), zax::StatusAlreadyExists},
        {"17 characters", Header("9000", std::string(17, 'A')), 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(c.AddGroupList(k.record), k.expected);
    }
    ASSERT_EQ(c.GetFreeGroupListNumber(free), 0);
    EXPECT_EQ(free, 9005);

    // The kind is chosen once; an unknown list is absent.
    EXPECT_EQ(c.ChangeGroupList(Header("9000", "OTHER", zax::GroupListKind::Fax)), Bad);
    EXPECT_EQ(c.ChangeGroupList(Header("9100", "OTHER")), StatusNoEntry);
    EXPECT_EQ(c.DeleteGroupList(Header("9100")), StatusNoEntry);

    // A full table refuses both the number and the list.
    model.mutableState().capacity.GroupLists =
        static_cast<int16_t>(model.state().groupLists.size());
    EXPECT_EQ(c.CheckFreeEntry(static_cast<int16_t>(zax::EntryKind::GroupList)), StatusNoEntry);
    EXPECT_EQ(c.GetFreeGroupListNumber(free), StatusNoEntry);
    EXPECT_EQ(c.AddGroupList(Header("9005")), StatusNoEntry);
}

TEST(SimListsTest, MembersAreCheckedByTheirListsKind) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    using zax::FaxRoute;
    struct Case {
        const char* what;
        zax::GroupListRecord record;
        zax::ServerStatus expected;
    } cases[] = {
        {"unknown list", MailboxMember("9100", "2004"), StatusNoEntry},
        {"unknown mailbox", MailboxMember("9001", "2999"), StatusNoEntry},
        {"already a member", MailboxMember("9001", "2004"), zax::StatusAlreadyExists},
        {"fax member on a voice list", FaxMember("9001", "ACME", FaxRoute::ByLine, 1, "5551234"),
         Bad},
        {"mailbox on a fax list", MailboxMember("9004", "2004"), Bad},
        {"line out of range", FaxMember("9004", "ACME", FaxRoute::ByLine, 9, "5551234"), Bad},
        {"pool out of range", FaxMember("9004", "ACME", FaxRoute::ByPool, 5, "5551234"), Bad},
        {"bad dial string", FaxMember("9004", "ACME", FaxRoute::ByLine, 1, "555-1234"), Bad},
        {"extension of the wrong length", FaxMember("9004", "ACME", FaxRoute::ByExtension, 0, "32"),
         Bad},
        {"name of 17 characters", FaxMember("9004", std::string(17, 'A'), FaxRoute::ByLine, 1, "5"),
         Bad},
        {"same dial string", FaxMember("9004", "OTHER", FaxRoute::ByExtension, 0, "3200"),
         zax::StatusAlreadyExists},
        {"fax by pool", FaxMember("9004", "ACME,INC", FaxRoute::ByPool, 4, "*9P5551234#"), 0},
        {"mailbox", MailboxMember("9001", "2000"), 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(c.AddGroupMember(k.record), k.expected);
    }
    EXPECT_EQ(MemberKeys(c, "9004").back(), "*9P5551234#");
    EXPECT_EQ(c.RemoveGroupMember(MailboxMember("9001", "2999")), StatusNoEntry);
    EXPECT_EQ(c.RemoveGroupMember(FaxMember("9004", "", FaxRoute::ByLine, 0, "16135550142")), 0);
    EXPECT_EQ(MemberKeys(c, "9004"),
              (std::vector<std::string>{"14165550177", "3200", "*9P5551234#"}));

    // Network mailboxes join only while network group lists are on.
    model.mutableState().systemInfo.NetworkGroupListEnabled = 0;
    EXPECT_EQ(c.AddGroupMember(MailboxMember("9001", "4000")), Bad);
    model.mutableState().systemInfo.NetworkGroupListEnabled = 1;
    EXPECT_EQ(c.AddGroupMember(MailboxMember("9001", "4000")), 0);
}

TEST(SimListsTest, MembersFollowTheirMailboxAndKeepItFromBeingDeleted) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    zax::MailboxRecord box{};
    SetText(box.Number, "2004");
    ASSERT_EQ(c.GetMailbox(box), 0);
    SetText(box.Name, "NEWNAME,ANN");
    ASSERT_EQ(c.ChangeMailbox(box, 0), 0);
    zax::GroupListRecord r = Header("9001", "");
    ASSERT_EQ(c.GetFirstGroupMember(r), 0);
    EXPECT_EQ(GetText(r.MemberMailboxName), "NEWNAME,ANN");

    EXPECT_EQ(c.DeleteMailbox(box), zax::StatusStillReferenced);
    for (const char* list : {"9001", "9003"})
        ASSERT_EQ(c.RemoveGroupMember(MailboxMember(list, "2004")), 0);
    EXPECT_EQ(c.DeleteMailbox(box), 0);
}

TEST(SimListsTest, EachConnectionWalksItsOwnTables) {
    SimModel model(MakeDemoState());
    SimConnection a(model, 1);
    SimConnection b(model, 2);

    zax::ClidEntry e{};
    ASSERT_EQ(a.GetClid(e, 1), 0);
    const std::string firstA = GetText(e.PhoneNumber);
    zax::ClidEntry f{};
    ASSERT_EQ(b.GetClid(f, 1), 0);
    ASSERT_EQ(b.GetNextClid(f), 0);
    // b's walk does not move a's, and an entry deleted behind a's walk does
    // not stop it.
    ASSERT_EQ(b.DeleteClid(f), 0);
    size_t seen = 1;
    for (; a.GetNextClid(e) == 0; ++seen)
        EXPECT_NE(GetText(e.PhoneNumber), firstA);
    EXPECT_EQ(seen, model.state().clid.size());
    EXPECT_EQ(a.GetNextClid(e), zax::StatusClidNoMore);

    auto input = Digits<15>("");
    zax::Chars<16> output{};
    size_t pairs = 0;
    for (auto s = a.GetFirstTranslation(input, output, 1); s == 0;
         s = a.GetNextTranslation(input, output))
        ++pairs;
    EXPECT_EQ(pairs, model.state().translations.size());

    zax::Chars<15> restriction{};
    ASSERT_EQ(b.GetFirstCentrexRestriction(restriction, 1), 0);
    EXPECT_EQ(std::string(restriction.data()), *model.state().centrexRestrictions.begin());
}

TEST(SimListsTest, ClidEntriesAreCheckedByTargetType) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    using zax::ClidTarget;
    auto table = [](const char* phone, int16_t n) {
        auto e = Clid(phone, ClidTarget::Table);
        e.GreetingTable = n;
        return e;
    };
    auto tree = [](int16_t n, const char* path) {
        auto e = Clid("5550000", ClidTarget::CcrTree);
        e.CcrTree = n;
        SetText(e.CcrTreePath, path);
        return e;
    };
    auto mailbox = [](const char* number) {
        auto e = Clid("5550001", ClidTarget::Mailbox);
        SetText(e.Mailbox, number);
        return e;
    };
    struct Case {
        const char* what;
        zax::ClidEntry entry;
        uint8_t add;
        zax::ServerStatus expected;
    } cases[] = {
        {"14 digits", table("12345678901234", 1), 1, Bad},
        {"table 5", table("5551212", 5), 1, Bad},
        {"unknown type", Clid("5551212", static_cast<ClidTarget>(5)), 1, Bad},
        {"tree that does not exist", tree(3, "1"), 1, zax::StatusNoSuchCcrTree},
        {"path not in the tree", tree(1, "13"), 1, zax::StatusInvalidCcrPath},
        {"mailbox that does not exist", mailbox("2999"), 1, Bad},
        {"phone number taken", table("911", 1), 1, zax::StatusClidExists},
        {"change of an absent entry", table("5551212", 1), 0, StatusNoEntry},
        {"13 digits", table("1234567890123", 3), 1, 0},
        {"tree and path", tree(1, "21"), 1, 0},
        {"mailbox", mailbox("2001"), 1, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(c.SetClid(k.entry, k.add), k.expected);
    }
    // Fields of other types are not kept.
    auto mixed = table("911", 2);
    SetText(mixed.Extension, "2000");
    ASSERT_EQ(c.SetClid(mixed, 0), 0);
    EXPECT_EQ(GetText(model.state().clid.at("911").Extension), "");

    model.mutableState().capacity.ClidEntries = static_cast<int16_t>(model.state().clid.size());
    uint8_t unused = 0;
    EXPECT_EQ(c.CheckClidAdd(unused), StatusNoEntry);
    EXPECT_EQ(c.SetClid(table("5553333", 1), 1), StatusNoEntry);
}

TEST(SimListsTest, TranslationsAndRestrictionsAreDigitStrings) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    struct Pair {
        const char* what;
        std::string input;
        std::string output;
        zax::ServerStatus expected;
    } adds[] = {
        {"both empty", "", "", Bad},
        {"letters", "12a", "9", Bad},
        {"input exists", "1613", "8", zax::StatusAlreadyExists},
        {"14-digit input, 15-digit output", std::string(14, '4'), std::string(15, '5'), 0},
        {"empty output", "7", "", 0},
    };
    for (const Pair& p : adds) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(c.AddTranslation(Digits<15>(p.input), Digits<16>(p.output)), p.expected);
    }
    // A value that fills its array has no terminator.
    EXPECT_EQ(c.AddTranslation(Digits<15>(std::string(15, '4')), Digits<16>("1")), Bad);
    EXPECT_EQ(c.ChangeTranslation(Digits<15>("1613"), Digits<16>("8")), 0);
    EXPECT_EQ(model.state().translations.at("1613"), "8");
    EXPECT_EQ(c.ChangeTranslation(Digits<15>("555"), Digits<16>("8")), StatusNoEntry);
    EXPECT_EQ(c.DeleteTranslation(Digits<15>("555"), Digits<16>("")), StatusNoEntry);

    EXPECT_EQ(c.AddCentrexRestriction(Digits<15>("")), Bad);
    EXPECT_EQ(c.AddCentrexRestriction(Digits<15>("900")), zax::StatusAlreadyExists);
    EXPECT_EQ(c.AddCentrexRestriction(Digits<15>(std::string(14, '1'))), 0);
    EXPECT_EQ(c.DeleteCentrexRestriction(Digits<15>("12")), StatusNoEntry);

    zax::DialingParameters p{};
    EXPECT_EQ(c.SetDialingParameters(p), 0); // every code may be empty
    SetText(p.AreaCode, "61a");
    EXPECT_EQ(c.SetDialingParameters(p), Bad);
    SetText(p.AreaCode, "");
    p.ReplyTranslate = 2;
    EXPECT_EQ(c.SetDialingParameters(p), Bad);
}

TEST(SimListsTest, ChangesSurviveARestart) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection c(model, 1);
        ASSERT_EQ(c.AddGroupList(Header("9000", "NEW_LIST")), Bad);
        ASSERT_EQ(c.AddGroupList(Header("9000", "NEW-LIST")), 0);
        ASSERT_EQ(c.AddGroupMember(MailboxMember("9000", "2002")), 0);
        ASSERT_EQ(c.DeleteGroupList(Header("9002")), 0);
        ASSERT_EQ(c.SetClid(Clid("5551212", zax::ClidTarget::Table), 1), Bad);
        auto e = Clid("5551212", zax::ClidTarget::Extension);
        SetText(e.Extension, "2003");
        ASSERT_EQ(c.SetClid(e, 1), 0);
        ASSERT_EQ(c.DeleteClid(Clid("911", zax::ClidTarget::Table)), 0);
        ASSERT_EQ(c.AddTranslation(Digits<15>("44"), Digits<16>("011")), 0);
        ASSERT_EQ(c.DeleteTranslation(Digits<15>("1613"), Digits<16>("")), 0);
        ASSERT_EQ(c.AddCentrexRestriction(Digits<15>("1976")), 0);
        ASSERT_EQ(c.DeleteCentrexRestriction(Digits<15>("900")), 0);
        zax::DialingParameters p{};
        SetText(p.AreaCode, "819");
        ASSERT_EQ(c.SetDialingParameters(p), 0);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState s = StateDatabase::Read(file);
    EXPECT_EQ(GetText(s.groupLists.at("9000").members.at(0).MemberMailboxName),
              GetText(s.mailboxes.at("2002").record.Name));
    EXPECT_FALSE(s.groupLists.contains("9002"));
    EXPECT_EQ(GetText(s.clid.at("5551212").Extension), "2003");
    EXPECT_FALSE(s.clid.contains("911"));
    EXPECT_EQ(s.translations.at("44"), "011");
    EXPECT_FALSE(s.translations.contains("1613"));
    EXPECT_TRUE(s.centrexRestrictions.contains("1976"));
    EXPECT_FALSE(s.centrexRestrictions.contains("900"));
    EXPECT_EQ(GetText(s.dialing.AreaCode), "819");
}

TEST(SimListsTest, ARefusedWriteLeavesNothingBehind) {
    struct Case {
        const char* failingWrite;
        std::function<zax::ServerStatus(SimConnection&)> change;
    } cases[] = {
        {"INSERT ON group_list_members",
         [](SimConnection& c) { return c.AddGroupMember(MailboxMember("9001", "2000")); }},
        {"DELETE ON group_lists",
         [](SimConnection& c) { return c.DeleteGroupList(Header("9001")); }},
        {"DELETE ON clid",
         [](SimConnection& c) { return c.DeleteClid(Clid("911", zax::ClidTarget::Table)); }},
        {"INSERT ON translations",
         [](SimConnection& c) { return c.AddTranslation(Digits<15>("44"), Digits<16>("0")); }},
        {"INSERT ON centrex_restrictions",
         [](SimConnection& c) { return c.AddCentrexRestriction(Digits<15>("1976")); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.failingWrite);
        test::ExpectChangeRolledBackWhenRefused(k.failingWrite, k.change);
    }
}

} // namespace
} // namespace zaxsim
