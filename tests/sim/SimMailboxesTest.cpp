// The simulated server's mailbox procedures: the enumerations the mailbox
// list and the group-list screens page through, the rules that keep the
// mailbox table consistent, and persistence of every change.

#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
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
        zax::MailboxRecord r{};
        if (c.change) {
            r = Read(conn, "2002");
        } else {
            SetText(r.Number, "2050");
            SetText(r.Name, "NEW,PERSON");
            r.ClassOfService = 1;
        }
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
    zax::MailboxRecord r{};
    SetText(r.Number, "2050");
    SetText(r.Name, "LATE");
    r.ClassOfService = 1;
    EXPECT_EQ(conn.AddMailbox(r), StatusNoEntry);
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

TEST(SimMailboxes, DeleteRefusesSystemAndReferencedMailboxes) {
    const struct {
        const char* number;
        zax::ServerStatus expected;
    } cases[] = {
        {"1000", StatusSystemMailbox},   // SYSTEM_MANAGER,MB
        {"1001", StatusSystemMailbox},   // GENERAL_DELIVERY,MB
        {"2004", StatusStillReferenced}, // member of SALES_TEAM
        {"2010", StatusStillReferenced}, // a CLID entry routes to it
        {"2999", StatusNoEntry},         {"3000", 0},
    };
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        zax::MailboxRecord r{};
        SetText(r.Number, c.number);
        EXPECT_EQ(conn.DeleteMailbox(r), c.expected);
        EXPECT_EQ(model.state().FindMailbox(c.number) != nullptr,
                  c.expected != 0 && c.expected != StatusNoEntry);
    }
    EXPECT_FALSE(model.state().nameRecordings.contains("3000")); // its recorded name went too
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
         [](SimConnection& c) {
             zax::MailboxRecord r{};
             SetText(r.Number, "2050");
             SetText(r.Name, "NEW,PERSON");
             r.ClassOfService = 1;
             return c.AddMailbox(r);
         }},
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
        test::TempDir dir;
        const auto file = dir / "state.db";
        StateDatabase::Create(file, MakeDemoState());
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        const SimState before = model.state();
        Database other(file, Database::Mode::ReadWrite);
        other.Exec(std::string("CREATE TRIGGER fail BEFORE ") + c.failingWrite +
                   " BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");

        EXPECT_EQ(c.change(conn), StatusNotStored);
        test::ExpectSameState(before, model.state());
        test::ExpectSameState(before, StateDatabase::Read(file));

        other.Exec("DROP TRIGGER fail");
        EXPECT_EQ(c.change(conn), 0);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
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
