// The simulated server's mailbox procedures: the enumerations the mailbox
// list and the group-list screens page through, the rules that keep the
// mailbox table consistent, and persistence of every change.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::SetText;

// A state of `n` subscribers numbered from 2000, without group lists or CLID entries.
SimState Subscribers(int n) {
    SimState s = MakeDemoState();
    s.mailboxes.clear();
    s.groupLists.clear();
    s.clid.clear();
    s.nameRecordings.clear();
    s.capacity.Mailboxes = 200;
    for (int i = 0; i < n; ++i) {
        Mailbox m;
        const std::string number = std::to_string(2000 + i);
        SetText(m.record.Number, number);
        SetText(m.record.Name, "USER" + std::to_string(i));
        m.record.ClassOfService = 1;
        SetText(m.record.Extension, number);
        s.mailboxes.emplace(number, m);
    }
    return s;
}

std::vector<std::string> ReadAll(SimConnection& c, int16_t batch) {
    std::vector<std::string> numbers;
    zax::EntrySummary first{};
    if (c.FindFirstEntry(first, 1, 0) != 0)
        return numbers;
    numbers.push_back(GetText(first.Number));
    std::vector<zax::EntrySummary> entries(static_cast<size_t>(batch));
    int16_t count = 0;
    while (c.FindNextEntries(entries, batch, count) == 0 && count > 0)
        for (int16_t i = 0; i < count; ++i)
            numbers.push_back(GetText(entries[static_cast<size_t>(i)].Number));
    return numbers;
}

TEST(SimEnumeration, BatchesEndWithAnEmptyAnswerAtTheBoundaries) {
    struct Case {
        int mailboxes;
        std::vector<int> batches; // the counts of successive calls of 25
        zax::ServerStatus last;   // status of the call after them
    } cases[] = {
        {0, {}, StatusNoEntry},    {1, {}, StatusNoEntry},       {25, {24}, StatusNoEntry},
        {26, {25}, StatusNoEntry}, {27, {25, 1}, StatusNoEntry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mailboxes);
        SimModel model(Subscribers(c.mailboxes));
        SimConnection conn(model, 1);
        zax::EntrySummary first{};
        ASSERT_EQ(conn.FindFirstEntry(first, 1, 0), c.mailboxes ? 0 : StatusNoEntry);
        std::vector<zax::EntrySummary> entries(25);
        for (int expected : c.batches) {
            int16_t count = -1;
            EXPECT_EQ(conn.FindNextEntries(entries, 25, count), 0);
            EXPECT_EQ(count, expected);
        }
        int16_t count = -1;
        EXPECT_EQ(conn.FindNextEntries(entries, 25, count), c.last);
        EXPECT_EQ(count, 0);
    }
}

TEST(SimEnumeration, DeliversEveryEntryOnceInNumberOrderAndRestartsOnFindFirst) {
    SimModel model(Subscribers(60));
    SimConnection conn(model, 1);
    const auto all = ReadAll(conn, 25);
    ASSERT_EQ(all.size(), 60u);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(ReadAll(conn, 7), all); // FindFirstEntry starts again from the top

    zax::EntrySummary e{};
    ASSERT_EQ(conn.FindFirstEntry(e, 1, 1), 0);
    EXPECT_EQ(GetText(e.Number), "2000");
    EXPECT_EQ(GetText(e.Name), "USER0");
    ASSERT_EQ(conn.FindNextEntry(e), 0);
    EXPECT_EQ(GetText(e.Number), "2001");
}

TEST(SimEnumeration, EachConnectionHasItsOwnAndItSurvivesChanges) {
    SimModel model(Subscribers(5));
    SimConnection a(model, 1), b(model, 2);
    zax::EntrySummary e{};
    ASSERT_EQ(a.FindFirstEntry(e, 1, 0), 0);
    ASSERT_EQ(a.FindNextEntry(e), 0); // a is at 2001
    ASSERT_EQ(b.FindFirstEntry(e, 1, 0), 0);
    zax::MailboxRecord gone{};
    SetText(gone.Number, "2001");
    ASSERT_EQ(b.DeleteMailbox(gone), 0); // the entry a delivered last disappears
    ASSERT_EQ(a.FindNextEntry(e), 0);
    EXPECT_EQ(GetText(e.Number), "2002");
    ASSERT_EQ(b.FindNextEntry(e), 0);
    EXPECT_EQ(GetText(e.Number), "2002");
}

TEST(SimEnumeration, GroupListsAndUnknownKinds) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::EntrySummary e{};
    std::vector<std::pair<std::string, int16_t>> lists;
    for (auto s = conn.FindFirstEntry(e, 2, 0); s == 0; s = conn.FindNextEntry(e))
        lists.emplace_back(GetText(e.Number), e.GroupKind);
    const std::vector<std::pair<std::string, int16_t>> expected = {
        {"9001", 0}, {"9002", 0}, {"9003", 0}, {"9004", 1}};
    EXPECT_EQ(lists, expected);
    EXPECT_EQ(conn.FindFirstEntry(e, 3, 0), StatusNoEntry);
    EXPECT_EQ(conn.FindNextEntry(e), StatusNoEntry);
    SimConnection fresh(model, 2);
    int16_t count = 5;
    std::vector<zax::EntrySummary> entries(25);
    EXPECT_EQ(fresh.FindNextEntries(entries, 25, count), StatusNoEntry); // nothing started
    EXPECT_EQ(count, 0);
}

// ---- adding and changing -------------------------------------------------------

zax::MailboxRecord Read(SimConnection& c, const char* number) {
    zax::MailboxRecord r{};
    SetText(r.Number, number);
    EXPECT_EQ(c.GetMailbox(r), 0) << number;
    return r;
}

// A subscriber as the client's Add Mailbox fills it in.
zax::MailboxRecord NewSubscriber(const char* number, const char* name) {
    zax::MailboxRecord r{};
    SetText(r.Number, number);
    SetText(r.Name, name);
    r.ClassOfService = 1;
    r.Directory = 1;
    r.MessageWaiting = 1;
    r.OutdialKind = static_cast<int16_t>(zax::OutdialKind::None);
    r.FaxRetries = 3;
    r.FaxInterval = 10;
    return r;
}

TEST(SimMailboxes, AddAndChangeRefuseWhatWouldBreakTheTable) {
    // The demo office: 2000 has extension 2000 and alternate 2099, 2001 has 2001 and 2101.
    struct Case {
        const char* what;
        bool change; // ChangeMailbox of 2002, else AddMailbox of 2050
        std::function<void(zax::MailboxRecord&)> edit;
        zax::ServerStatus expected;
    } cases[] = {
        {"free extension", false, [](auto& r) { SetText(r.Extension, "2050"); }, 0},
        {"no extension at all", false, [](auto& r) { SetText(r.Extension, ""); }, 0},
        {"extension of another", false, [](auto& r) { SetText(r.Extension, "2001"); },
         StatusExtensionUsed},
        {"extension is another's alternate", true, [](auto& r) { SetText(r.Extension, "2099"); },
         StatusExtensionUsed},
        {"alternate 1 is another's extension", true,
         [](auto& r) { SetText(r.AlternateExtension1, "2000"); }, StatusAlternate1Used},
        {"alternate 2 is another's alternate", false,
         [](auto& r) {
             SetText(r.AlternateExtension1, "2051");
             SetText(r.AlternateExtension2, "2101");
         },
         StatusAlternate2Used},
        {"own extension kept on change", true, [](auto& r) { SetText(r.Name, "BAKER,TOM"); }, 0},
        {"number taken", false, [](auto& r) { SetText(r.Number, "2003"); }, StatusAlreadyExists},
        {"number too short", false, [](auto& r) { SetText(r.Number, "205"); }, StatusInvalidRecord},
        {"class of service 0", true, [](auto& r) { r.ClassOfService = 0; }, StatusInvalidRecord},
        {"name of 17 characters", false, [](auto& r) { SetText(r.Name, "ABCDEFGHIJ,KLMNOP"); },
         StatusInvalidRecord},
        {"type changed", true, [](auto& r) { r.Type = 2; }, StatusInvalidRecord},
        {"unknown mailbox", true, [](auto& r) { SetText(r.Number, "2999"); }, StatusNoEntry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        zax::MailboxRecord r = c.change ? Read(conn, "2002") : NewSubscriber("2050", "NEW,PERSON");
        c.edit(r);
        const auto before = model.state().mailboxes.size();
        EXPECT_EQ(c.change ? conn.ChangeMailbox(r, 0) : conn.AddMailbox(r), c.expected);
        if (c.expected == 0) {
            EXPECT_EQ(GetText(Read(conn, GetText(r.Number).c_str()).Name), GetText(r.Name));
        }
        const bool grew = !c.change && c.expected == 0;
        EXPECT_EQ(model.state().mailboxes.size(), before + (grew ? 1 : 0));
    }
}

TEST(SimMailboxes, FullTableRefusesAnAdd) {
    SimState s = MakeDemoState();
    s.capacity.Mailboxes = static_cast<int16_t>(s.mailboxes.size());
    SimModel model(std::move(s));
    SimConnection conn(model, 1);
    EXPECT_EQ(conn.AddMailbox(NewSubscriber("2050", "LATE")), StatusNoEntry);
}

TEST(SimMailboxes, ChangeHonoursResetPasswordKeepsHomonymAndRenamesMembers) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    auto& m = model.state().mailboxes.at("2002");
    ASSERT_TRUE(m.passwordChanged);
    ASSERT_EQ(m.record.Homonym, 1);

    zax::MailboxRecord r = Read(conn, "2002");
    SetText(r.Name, "BAKER,TOM");
    r.Homonym = 0; // the client only sends back what it read; the server decides
    ASSERT_EQ(conn.ChangeMailbox(r, 0), 0);
    EXPECT_TRUE(m.passwordChanged);
    EXPECT_EQ(m.record.Homonym, 1);
    for (const auto& member : model.state().groupLists.at("9002").members) {
        if (GetText(member.MemberMailbox) == "2002") {
            EXPECT_EQ(GetText(member.MemberMailboxName), "BAKER,TOM");
        }
    }

    ASSERT_EQ(conn.ChangeMailbox(r, 1), 0);
    EXPECT_FALSE(m.passwordChanged);
}

// The demo's CLID entry 4165550199 sent to mailbox 2020 (a subscriber in no
// group list), or naming it in its mailbox field while routing elsewhere.
std::function<void(SimState&)> ClidNaming2020(zax::ClidTarget target) {
    return [target](SimState& s) {
        auto& e = s.clid.at("4165550199");
        e.TargetType = static_cast<int16_t>(target);
        SetText(e.Mailbox, "2020");
        SetText(e.Extension, target == zax::ClidTarget::Extension ? "2001" : "");
    };
}

TEST(SimMailboxes, DeleteRefusesTheServersOwnAndReferencedMailboxes) {
    const struct {
        const char* what;
        const char* number;
        std::function<void(SimState&)> setUp;
        zax::ServerStatus expected;
    } cases[] = {
        {"system manager", "1000", {}, StatusSystemMailbox},
        {"general delivery", "1001", {}, StatusSystemMailbox},
        {"member of a voice group list", "2004", {}, StatusStillReferenced},
        {"target of a CLID entry and nothing else", "2020",
         ClidNaming2020(zax::ClidTarget::Mailbox), StatusStillReferenced},
        {"named by a CLID entry that routes to an extension", "2020",
         ClidNaming2020(zax::ClidTarget::Extension), 0},
        {"no such mailbox", "2999", {}, StatusNoEntry},
        {"referenced by nothing", "3000", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        if (c.setUp)
            c.setUp(model.mutableState());
        for (const auto& [key, list] : model.state().groupLists)
            for (const auto& member : list.members)
                ASSERT_NE(GetText(member.MemberMailbox), "2020") << "2020 must be in no list";
        SimConnection conn(model, 1);
        zax::MailboxRecord r{};
        SetText(r.Number, c.number);
        EXPECT_EQ(conn.DeleteMailbox(r), c.expected);
        const bool kept = c.expected != 0 && c.expected != StatusNoEntry;
        EXPECT_EQ(model.state().FindMailbox(c.number) != nullptr, kept);
        if (c.expected == 0) {
            EXPECT_FALSE(model.state().nameRecordings.contains(c.number)); // its name went too
        }
    }
}

// The server's own mailboxes are its own whatever they are called, and a
// mailbox given one of their names does not become one.
TEST(SimMailboxes, TheServersOwnMailboxesAreKnownByThemselvesNotByTheirNames) {
    const struct {
        const char* number;
        const char* name;
        zax::ServerStatus deleted;
    } cases[] = {
        {"1000", "MANAGER,SYSTEM", StatusSystemMailbox},
        {"1001", "DELIVERY", StatusSystemMailbox},
        {"2024", "SYSTEM_MANAGER,MB", 0},
        {"2025", "GENERAL_DELIVERY,MB", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        zax::MailboxRecord r = Read(conn, c.number);
        SetText(r.Name, c.name);
        ASSERT_EQ(conn.ChangeMailbox(r, 0), 0);
        EXPECT_EQ(conn.DeleteMailbox(r), c.deleted);
    }
}

// What the server keeps in each field of a mailbox, from the edge of each
// range to values no client should send. The office has 8 lines, 4 pools
// and extensions of 4 digits; 2002 is a subscriber, 4000 an AMIS mailbox
// and 5000 a network mailbox. "add" adds a copy of the record as 2050.
TEST(SimMailboxes, RecordFieldsOutsideWhatTheServerKeepsAreRefused) {
    using R = zax::MailboxRecord;
    constexpr zax::ServerStatus Bad = StatusInvalidRecord;
    const auto line = static_cast<int16_t>(zax::OutdialKind::Line);
    const auto pool = static_cast<int16_t>(zax::OutdialKind::Pool);
    const auto none = static_cast<int16_t>(zax::OutdialKind::None);
    auto fill = [](auto& field) { std::memset(field, 'A', sizeof field); }; // no terminator
    const struct {
        const char* what;
        const char* number;
        bool add;
        std::function<void(R&)> edit;
        zax::ServerStatus expected;
    } cases[] = {
        {"fax retries 1", "2002", false, [](R& r) { r.FaxRetries = 1; }, 0},
        {"fax retries 99", "2002", false, [](R& r) { r.FaxRetries = 99; }, 0},
        {"fax retries 0", "2002", false, [](R& r) { r.FaxRetries = 0; }, Bad},
        {"fax retries 500", "2002", false, [](R& r) { r.FaxRetries = 500; }, Bad},
        {"fax interval 60", "2002", false, [](R& r) { r.FaxInterval = 60; }, 0},
        {"fax interval 61", "2002", false, [](R& r) { r.FaxInterval = 61; }, Bad},
        {"fax interval -3", "2002", false, [](R& r) { r.FaxInterval = -3; }, Bad},
        {"outdial kind 7", "2002", false, [](R& r) { r.OutdialKind = 7; }, Bad},
        {"outdial kind 0", "2002", false, [](R& r) { r.OutdialKind = 0; }, Bad},
        {"outdial line 8 of 8", "2002", false,
         [=](R& r) { r.OutdialKind = line, r.OutdialNumber = 8; }, 0},
        {"outdial line 9", "2002", false, [=](R& r) { r.OutdialKind = line, r.OutdialNumber = 9; },
         Bad},
        {"outdial line 999", "2002", false,
         [=](R& r) { r.OutdialKind = line, r.OutdialNumber = 999; }, Bad},
        {"outdial line 0", "2002", false, [=](R& r) { r.OutdialKind = line, r.OutdialNumber = 0; },
         Bad},
        {"outdial pool 4 of 4", "2002", false,
         [=](R& r) { r.OutdialKind = pool, r.OutdialNumber = 4; }, 0},
        {"outdial pool 5", "2002", false, [=](R& r) { r.OutdialKind = pool, r.OutdialNumber = 5; },
         Bad},
        {"no outdial: the number is not looked at", "2002", false,
         [=](R& r) { r.OutdialKind = none, r.OutdialNumber = 999; }, 0},
        {"fax line 0, none", "2002", false, [](R& r) { r.FaxLine = 0; }, 0},
        {"fax line 8", "2002", false, [](R& r) { r.FaxLine = 8; }, 0},
        {"fax line 9", "2002", false, [](R& r) { r.FaxLine = 9; }, Bad},
        {"fax line -1", "2002", false, [](R& r) { r.FaxLine = -1; }, Bad},
        {"message waiting 2", "2002", false, [](R& r) { r.MessageWaiting = 2; }, Bad},
        {"directory 2", "2002", false, [](R& r) { r.Directory = 2; }, Bad},
        {"call screening 255", "2002", false, [](R& r) { r.CallScreening = 255; }, Bad},
        {"speech disabled 2", "2002", false, [](R& r) { r.SpeechDisabled = 2; }, Bad},
        {"name with an apostrophe and a hyphen", "2002", false,
         [](R& r) { SetText(r.Name, "O'BRIEN-SMITH,J"); }, 0},
        {"empty name", "2002", false, [](R& r) { SetText(r.Name, ""); }, Bad},
        {"name with a blank", "2002", false, [](R& r) { SetText(r.Name, "BAKER, TOM"); }, Bad},
        {"name filling its field", "2002", false, [=](R& r) { fill(r.Name); }, Bad},
        {"alternate extension not digits", "2002", false,
         [](R& r) { SetText(r.AlternateExtension1, "20a5"); }, Bad},
        {"extended name of 40", "2002", false,
         [](R& r) { SetText(r.ExtendedName, std::string(40, 'x')); }, 0},
        {"extended name filling its field", "2002", false, [=](R& r) { fill(r.ExtendedName); },
         Bad},
        {"alias with a blank and an apostrophe", "2002", false,
         [](R& r) { SetText(r.Alias, "Tom O'Baker"); }, 0},
        {"alias with an exclamation mark", "2002", false, [](R& r) { SetText(r.Alias, "Tom!"); },
         Bad},
        {"type 11", "2002", true, [](R& r) { r.Type = 11; }, 0},
        {"type 12", "2002", true, [](R& r) { r.Type = 12; }, Bad},
        {"type -1", "2002", true, [](R& r) { r.Type = -1; }, Bad},
        {"AMIS number with tone keys and a pause", "4000", false,
         [](R& r) { SetText(r.RemotePhoneNumber, "9P16135550188#*"); }, 0},
        {"AMIS number with letters", "4000", false,
         [](R& r) { SetText(r.RemotePhoneNumber, "1613555CALL"); }, Bad},
        {"AMIS mailbox without its number", "4000", false,
         [](R& r) { SetText(r.RemotePhoneNumber, ""); }, Bad},
        {"AMIS mailbox without the remote mailbox", "4000", false,
         [](R& r) { SetText(r.RemoteMailbox, ""); }, Bad},
        {"remote mailbox not digits", "4000", false, [](R& r) { SetText(r.RemoteMailbox, "44A0"); },
         Bad},
        {"site prefix of 9 digits", "5000", false, [](R& r) { SetText(r.SitePrefix, "123456789"); },
         0},
        {"site prefix with a letter", "5000", false, [](R& r) { SetText(r.SitePrefix, "7X"); },
         Bad},
        {"network mailbox without its site", "5000", false, [](R& r) { SetText(r.SitePrefix, ""); },
         Bad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        R r = Read(conn, c.number);
        if (c.add) {
            SetText(r.Number, "2050");
            SetText(r.Extension, "");
        }
        c.edit(r);
        EXPECT_EQ(c.add ? conn.AddMailbox(r) : conn.ChangeMailbox(r, 0), c.expected);
        if (c.expected != 0) {
            test::ExpectSameState(MakeDemoState(), model.state());
        }
    }
}

TEST(SimMailboxes, ChangesAreStoredInTheDatabase) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        zax::MailboxRecord r = Read(conn, "2002");
        SetText(r.Name, "BAKER,TOM");
        ASSERT_EQ(conn.ChangeMailbox(r, 1), 0);
        zax::MailboxRecord gone{};
        SetText(gone.Number, "3000");
        ASSERT_EQ(conn.DeleteMailbox(gone), 0);
        zax::CosRecord cos{};
        cos.ClassNumber = 7;
        ASSERT_EQ(conn.GetClassOfService(cos), 0);
        SetText(cos.Name, "STOCKROOM");
        ASSERT_EQ(conn.SetClassOfService(cos), 0);
        // Every reply came after its commit: the file holds it all while the server runs.
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_EQ(GetText(loaded.FindMailbox("2002")->Name), "BAKER,TOM");
    EXPECT_FALSE(loaded.mailboxes.at("2002").passwordChanged);
    EXPECT_TRUE(loaded.mailboxes.at("2001").passwordChanged);
    EXPECT_EQ(GetText(loaded.groupLists.at("9002").members[1].MemberMailboxName), "BAKER,TOM");
    EXPECT_EQ(loaded.FindMailbox("3000"), nullptr);
    EXPECT_FALSE(loaded.nameRecordings.contains("3000"));
    EXPECT_EQ(GetText(loaded.CosNames().Names[6]), "STOCKROOM");
}

// A change the database refuses part way is undone in memory as well: the
// server goes on answering from what the file holds. The failure is a
// trigger that aborts the change's last write, so the rows written before
// it must be rolled back too.
TEST(SimMailboxes, AChangeTheDatabaseRefusesIsUndoneEverywhere) {
    const struct {
        const char* what;
        const char* failingWrite;
        std::function<zax::ServerStatus(SimConnection&)> change;
    } cases[] = {
        {"rename, failing at the group-list members", "INSERT ON group_list_members",
         [](SimConnection& c) {
             zax::MailboxRecord r = Read(c, "2002");
             SetText(r.Name, "BAKER,TOM");
             return c.ChangeMailbox(r, 1);
         }},
        {"delete, failing at the recorded name", "DELETE ON name_recordings",
         [](SimConnection& c) {
             zax::MailboxRecord r{};
             SetText(r.Number, "3000");
             return c.DeleteMailbox(r);
         }},
        {"add", "INSERT ON mailboxes",
         [](SimConnection& c) { return c.AddMailbox(NewSubscriber("2050", "NEW,PERSON")); }},
        {"class of service", "INSERT ON classes_of_service",
         [](SimConnection& c) {
             zax::CosRecord cos{};
             cos.ClassNumber = 7;
             c.GetClassOfService(cos);
             SetText(cos.Name, "STOCKROOM");
             return c.SetClassOfService(cos);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ExpectChangeRolledBackWhenRefused(c.failingWrite, c.change);
    }
}

// ---- classes of service ------------------------------------------------------------

TEST(SimClassesOfService, NumbersOutsideOneToSixteenAreNoEntry) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    for (int16_t n : {int16_t{0}, int16_t{17}, int16_t{-1}}) {
        zax::CosRecord c{};
        c.ClassNumber = n;
        EXPECT_EQ(conn.GetClassOfService(c), StatusNoEntry) << n;
        EXPECT_EQ(conn.SetClassOfService(c), StatusNoEntry) << n;
    }
    for (int16_t n = 1; n <= 16; ++n) {
        zax::CosRecord c{};
        c.ClassNumber = n;
        ASSERT_EQ(conn.GetClassOfService(c), 0);
        EXPECT_EQ(c.ClassNumber, n);
    }
}

TEST(SimClassesOfService, SetChecksTheServersLimits) {
    struct Case {
        const char* what;
        std::function<void(zax::CosRecord&)> edit;
        zax::ServerStatus expected;
    } cases[] = {
        {"unchanged", [](auto&) {}, 0},
        {"retention 0 within the limits", [](auto& c) { c.MessageRetentionPeriod = 0; }, 0},
        {"message length 61", [](auto& c) { c.MaxMessageLength = 61; }, StatusInvalidRecord},
        {"3 incorrect passwords", [](auto& c) { c.MaxIncorrectPasswordAttempts = 3; },
         StatusInvalidRecord},
        {"interval 0 without notification",
         [](auto& c) {
             c.OffPremiseMessageNotification = 0;
             c.RetryInterval = 0;
         },
         0},
        {"interval 0 with notification",
         [](auto& c) {
             c.OffPremiseMessageNotification = 1;
             c.RetryInterval = 0;
         },
         StatusInvalidRecord},
        {"name of 17", [](auto& c) { SetText(c.Name, "ABCDEFGHIJKLMNOPQ"); }, StatusInvalidRecord},
        {"alternate prompt language", [](auto& c) { c.PromptLanguage = 1; }, 0},
        {"prompt language 2", [](auto& c) { c.PromptLanguage = 2; }, StatusInvalidRecord},
        {"networking 2", [](auto& c) { c.Networking = 2; }, StatusInvalidRecord},
        {"outbound transfer 7", [](auto& c) { c.OutboundTransfer = 7; }, StatusInvalidRecord},
        {"record call 255", [](auto& c) { c.RecordCallAllowed = 255; }, StatusInvalidRecord},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        zax::CosRecord cos{};
        cos.ClassNumber = 2;
        ASSERT_EQ(conn.GetClassOfService(cos), 0);
        c.edit(cos);
        EXPECT_EQ(conn.SetClassOfService(cos), c.expected);
    }
}

TEST(SimClassesOfService, NamesTableFollowsTheClasses) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::CosNameTable names{};
    ASSERT_EQ(conn.GetCosNames(names), 0);
    EXPECT_EQ(GetText(names.Names[0]), "STANDARD");
    EXPECT_EQ(GetText(names.Names[15]), "SYSTEM");
}

} // namespace
} // namespace zaxsim
