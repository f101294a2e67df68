// The simulated server's procedures for adding mailboxes: a number's state,
// room in the tables, and a range of subscribers made in one change.

#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::SetText;

// Subscribers at `numbers` (each its own extension), room for `capacity`,
// group lists enabled with leading digit 9.
SimState Office(const std::vector<std::string>& numbers, int16_t capacity = 100) {
    SimState s = MakeDemoState();
    s.mailboxes.clear();
    s.groupLists.clear();
    s.clid.clear();
    s.nameRecordings.clear();
    s.capacity.Mailboxes = capacity;
    s.systemInfo.GroupListsEnabled = 1;
    s.systemParameters.GroupListsEnabled = 1;
    s.systemParameters.GroupListLeadingDigit = 9;
    for (const std::string& n : numbers) {
        Mailbox m;
        SetText(m.record.Number, n);
        SetText(m.record.Name, "USER" + n);
        m.record.ClassOfService = 1;
        m.record.OutdialKind = static_cast<int16_t>(zax::OutdialKind::None);
        m.record.FaxRetries = 3;
        m.record.FaxInterval = 10;
        SetText(m.record.Extension, n);
        s.mailboxes.emplace(n, m);
    }
    return s;
}

// The two records the Add Many Mailboxes dialog sends.
struct Range {
    zax::MailboxRecord from{};
    zax::MailboxRecord to{};
};
Range RangeOf(const std::string& first, const std::string& last, uint8_t cos = 3) {
    Range r;
    SetText(r.from.Extension, first);
    r.from.ClassOfService = cos;
    r.from.OutdialKind = static_cast<int16_t>(zax::OutdialKind::Pool);
    r.from.OutdialNumber = 2;
    r.from.MessageWaiting = 1;
    r.from.Directory = 1;
    r.from.CallScreening = 0;
    r.to = r.from;
    SetText(r.to.Extension, last);
    return r;
}

std::vector<std::string> Numbers(const SimState& s) {
    std::vector<std::string> out;
    for (const auto& [number, m] : s.mailboxes)
        out.push_back(number);
    return out;
}

TEST(SimAddMailboxes, QueryMailboxStateTellsExistenceAndInitialization) {
    SimState state = Office({"2000", "2001"});
    state.mailboxes.at("2001").initialized = true;
    SimModel model(std::move(state));
    SimConnection conn(model, 1);
    const struct {
        const char* bytes; // all 8 bytes
        zax::ServerStatus status;
        uint8_t exists, initialized;
    } cases[] = {
        {"2000\0\0\0\0", 0, 1, 0},
        {"2001\0\0\0\0", 0, 1, 1},
        {"2002\0\0\0\0", 0, 0, 0},
        {"2000\0xyz", 0, 1, 0},                  // bytes after the terminator do not count
        {"20002000", StatusInvalidRecord, 0, 0}, // no terminator
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bytes, 8));
        zax::Chars<8> number{};
        std::memcpy(number.data(), c.bytes, 8);
        uint8_t exists = 7, initialized = 7;
        EXPECT_EQ(conn.QueryMailboxState(number, exists, initialized), c.status);
        EXPECT_EQ(exists, c.exists);
        EXPECT_EQ(initialized, c.initialized);
    }
}

TEST(SimAddMailboxes, CheckFreeEntryAnswersFromEachTablesCapacity) {
    const struct {
        int16_t kind;
        int16_t mailboxCapacity;
        int16_t groupListCapacity;
        zax::ServerStatus status;
    } cases[] = {
        {1, 3, 0, 0},
        {1, 2, 5, StatusNoEntry}, // two mailboxes already fill it
        {1, 0, 5, StatusNoEntry},
        {2, 0, 1, 0},
        {2, 5, 0, StatusNoEntry},
        {3, 5, 5, StatusInvalidRecord},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.kind << " " << c.mailboxCapacity);
        SimState state = Office({"2000", "2001"}, c.mailboxCapacity);
        state.capacity.GroupLists = c.groupListCapacity;
        SimModel model(std::move(state));
        SimConnection conn(model, 1);
        EXPECT_EQ(conn.CheckFreeEntry(c.kind), c.status);
    }
}

TEST(SimAddMailboxes, ARangeMakesSubscribersOnItsFreeNumbersWithTheSharedSettings) {
    SimState state = Office({"2003", "3000"});
    // 2005 answers as another mailbox's alternate extension.
    SetText(state.mailboxes.at("3000").record.AlternateExtension1, "2005");
    SimModel model(std::move(state));
    SimConnection conn(model, 1);
    const Range range = RangeOf("2000", "2007");
    int16_t count = -1;
    ASSERT_EQ(conn.AddMailboxRange(range.from, range.to, count), 0);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(Numbers(model.state()), (std::vector<std::string>{"2000", "2001", "2002", "2003",
                                                                "2004", "2006", "2007", "3000"}));
    const zax::MailboxRecord& made = *model.state().FindMailbox("2006");
    EXPECT_EQ(GetText(made.Extension), "2006");
    EXPECT_EQ(GetText(made.Name), "MAILBOX,2006");
    EXPECT_EQ(made.Type, static_cast<int16_t>(zax::MailboxType::Subscriber));
    EXPECT_EQ(made.ClassOfService, 3);
    EXPECT_EQ(made.OutdialKind, static_cast<int16_t>(zax::OutdialKind::Pool));
    EXPECT_EQ(made.OutdialNumber, 2);
    EXPECT_EQ(made.MessageWaiting, 1);
    EXPECT_EQ(made.Directory, 1);
    EXPECT_FALSE(model.state().mailboxes.at("2006").initialized);
    // The mailbox that was there keeps its own name.
    EXPECT_EQ(GetText(model.state().FindMailbox("2003")->Name), "USER2003");

    // A range of one, and a range wholly taken.
    const Range one = RangeOf("2010", "2010");
    ASSERT_EQ(conn.AddMailboxRange(one.from, one.to, count), 0);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(conn.AddMailboxRange(one.from, one.to, count), 0);
    EXPECT_EQ(count, 0);
}

TEST(SimAddMailboxes, ARangeStopsWhereTheTableIsFullAndSkipsGroupListNumbers) {
    const struct {
        const char* what;
        int16_t capacity;
        uint8_t groupListsEnabled;
        const char* first;
        const char* last;
        int16_t count;
        const char* lastMade; // the last number made
        const char* notMade;  // the number after it
    } cases[] = {
        {"room for three", 4, 1, "2001", "2099", 3, "2003", "2004"},
        {"full", 1, 1, "2001", "2099", 0, "2000", "2001"},
        {"group lists own 9xxx", 100, 1, "8998", "9999", 2, "8999", "9000"},
        {"group lists off", 100, 0, "8998", "9001", 4, "9001", "9002"},
        {"wide range, small table", 50, 1, "0000", "9999", 49, "0048", "0049"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimState state = Office({"2000"}, c.capacity);
        state.systemInfo.GroupListsEnabled = c.groupListsEnabled;
        SimModel model(std::move(state));
        SimConnection conn(model, 1);
        const Range range = RangeOf(c.first, c.last);
        int16_t count = -1;
        ASSERT_EQ(conn.AddMailboxRange(range.from, range.to, count), 0);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(model.state().mailboxes.size(), static_cast<size_t>(c.count) + 1);
        EXPECT_NE(model.state().FindMailbox(c.lastMade), nullptr);
        EXPECT_EQ(model.state().FindMailbox(c.notMade), nullptr);
    }
}

TEST(SimAddMailboxes, OneMailboxInTheGroupListsRangeIsRefusedWhileTheyAreOn) {
    for (const uint8_t groupListsEnabled : {uint8_t{1}, uint8_t{0}}) {
        SCOPED_TRACE(groupListsEnabled);
        SimState state = Office({"2000"});
        state.systemInfo.GroupListsEnabled = groupListsEnabled;
        SimModel model(std::move(state));
        SimConnection conn(model, 1);
        zax::MailboxRecord r = model.state().mailboxes.at("2000").record;
        SetText(r.Number, "9001");
        SetText(r.Extension, "9001");
        EXPECT_EQ(conn.AddMailbox(r), groupListsEnabled ? StatusInvalidRecord : 0);
        EXPECT_EQ(model.state().FindMailbox("9001") != nullptr, groupListsEnabled == 0);
    }
}

TEST(SimAddMailboxes, ARangeTheServerCannotKeepIsRefusedWhole) {
    const struct {
        const char* what;
        void (*spoil)(Range&);
    } cases[] = {
        {"from above to", [](Range& r) { SetText(r.from.Extension, "2101"); }},
        {"short extension", [](Range& r) { SetText(r.to.Extension, "210"); }},
        {"not digits", [](Range& r) { SetText(r.from.Extension, "20a0"); }},
        {"empty", [](Range& r) { SetText(r.from.Extension, ""); }},
        {"settings differ", [](Range& r) { r.to.ClassOfService = 4; }},
        {"not subscribers", [](Range& r) { r.from.Type = r.to.Type = 2; }},
        {"class 0", [](Range& r) { r.from.ClassOfService = r.to.ClassOfService = 0; }},
        {"pool out of range", [](Range& r) { r.from.OutdialNumber = r.to.OutdialNumber = 99; }},
        {"flag not 0 or 1", [](Range& r) { r.from.Directory = r.to.Directory = 2; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(Office({"2000"}));
        SimConnection conn(model, 1);
        Range range = RangeOf("2001", "2100");
        c.spoil(range);
        int16_t count = -1;
        EXPECT_EQ(conn.AddMailboxRange(range.from, range.to, count), StatusInvalidRecord);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(model.state().mailboxes.size(), 1u);
    }
}

TEST(SimAddMailboxes, ARangeIsStoredInOneTransaction) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, Office({"2000"}));
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        const SimState before = model.state();
        // The database refuses the last of the new rows: none of them stays.
        Database other(file, Database::Mode::ReadWrite);
        other.Exec("CREATE TRIGGER fail BEFORE INSERT ON mailboxes WHEN NEW.Number = '2005' "
                   "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");
        const Range range = RangeOf("2001", "2005");
        int16_t count = -1;
        EXPECT_EQ(conn.AddMailboxRange(range.from, range.to, count), StatusNotStored);
        EXPECT_EQ(count, 0);
        test::ExpectSameState(before, model.state());
        test::ExpectSameState(before, StateDatabase::Read(file));

        other.Exec("DROP TRIGGER fail");
        ASSERT_EQ(conn.AddMailboxRange(range.from, range.to, count), 0);
        EXPECT_EQ(count, 5);
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_EQ(Numbers(loaded),
              (std::vector<std::string>{"2000", "2001", "2002", "2003", "2004", "2005"}));
    EXPECT_EQ(loaded.FindMailbox("2005")->ClassOfService, 3);
}

} // namespace
} // namespace zaxsim
