// The simulated server's attendant parameters, line table, reports and
// statistics: what it refuses, what a report holds and how large it grows,
// what a reset clears, and what survives a restart.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zaxsim {
namespace {

using zax::SetText;
constexpr zax::ServerStatus Bad = StatusInvalidRecord;

zax::Chars<8> Argument(const std::string& text) {
    zax::Chars<8> a{};
    std::copy(text.begin(), text.end(), a.begin());
    return a;
}

// Requests a report for the client and reads it the way the client does.
std::string Fetch(SimConnection& c, int16_t number, const std::string& argument = "") {
    EXPECT_EQ(c.RequestReport(number, zax::PrintDisplayLocally, Argument(argument)), 0);
    int32_t size = -1;
    EXPECT_EQ(c.GetReportSize(size), 0);
    std::vector<char> buffer(static_cast<size_t>(size));
    int32_t length = -1;
    EXPECT_EQ(c.GetReportText(size, length, buffer), 0);
    EXPECT_EQ(length, size);
    return std::string(buffer.begin(), buffer.end());
}

// The demo office with `extra` more subscribers, numbered from 5000.
SimState LargeOffice(int extra) {
    SimState s = MakeDemoState();
    s.capacity.Mailboxes = static_cast<int16_t>(extra + 100);
    for (int i = 0; i < extra; ++i) {
        Mailbox m;
        const std::string number = std::to_string(50000 + i).substr(1);
        SetText(m.record.Number, number);
        SetText(m.record.Name, "SUBSCRIBER," + number);
        SetText(m.record.Extension, number);
        m.record.ClassOfService = 1;
        m.record.Directory = 1;
        s.mailboxes.emplace(number, m);
    }
    return s;
}

TEST(SimAttendant, RefusesParametersAndLinesTheServerCannotKeep) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    const struct {
        uint8_t returnToAa, mode, greeting;
        zax::ServerStatus expected;
    } parameters[] = {{1, 2, 40, 0},  {0, 0, 1, 0},   {2, 0, 1, Bad},
                      {1, 3, 5, Bad}, {1, 1, 0, Bad}, {1, 1, 41, Bad}};
    for (const auto& p : parameters) {
        SCOPED_TRACE(testing::Message() << int(p.returnToAa) << int(p.mode) << int(p.greeting));
        const AttendantParameters before = model.state().attendant;
        EXPECT_EQ(c.SetAttendantParameters(p.returnToAa, p.mode, p.greeting), p.expected);
        uint8_t r = 9, m = 9, g = 99;
        ASSERT_EQ(c.GetAttendantParameters(r, m, g), 0);
        if (p.expected == 0)
            EXPECT_EQ(std::vector<int>({r, m, g}),
                      std::vector<int>({p.returnToAa, p.mode, p.greeting}));
        else
            EXPECT_EQ(std::vector<int>({r, m, g}),
                      std::vector<int>({before.ReturnToAa, before.GateMode, before.GateGreeting}));
    }
    const struct {
        int16_t line;
        uint8_t answer;
        int16_t table, rings;
        zax::ServerStatus expected;
    } lines[] = {{1, 1, 4, 0, 0},   {8, 0, 1, 12, 0},   {9, 1, 1, 2, Bad},  {0, 1, 1, 2, Bad},
                 {2, 1, 0, 2, Bad}, {2, 1, 5, 2, Bad},  {2, 1, 1, 13, Bad}, {2, 1, 1, -1, Bad},
                 {2, 2, 1, 1, Bad}, {2, 1, 260, 1, Bad}};
    for (const auto& l : lines) {
        SCOPED_TRACE(testing::Message()
                     << l.line << " " << int(l.answer) << " " << l.table << " " << l.rings);
        EXPECT_EQ(c.SetLine(l.line, l.answer, l.table, l.rings), l.expected);
        uint8_t answer = 9;
        int16_t table = -1, rings = -1;
        if (l.expected == 0) {
            ASSERT_EQ(c.GetLine(l.line, answer, table, rings), 0);
            EXPECT_EQ(std::vector<int>({answer, table, rings}),
                      std::vector<int>({l.answer, l.table, l.rings}));
        }
    }
    uint8_t answer = 0;
    int16_t table = 0, rings = 0;
    EXPECT_EQ(c.GetLine(9, answer, table, rings), Bad); // the demo office has 8 lines
}

TEST(SimAttendant, GetLinesReturnsAsManyLinesAsTheSystemHas) {
    SimState sixteen = MakeDemoState();
    sixteen.systemInfo.MaxLineNumber = 16;
    sixteen.lines.resize(16, zax::LineEntry{1, 3, 5});
    for (const SimState& s : {MakeDemoState(), sixteen}) {
        SimModel model(s);
        SimConnection c(model, 1);
        const auto count = static_cast<int16_t>(s.systemInfo.MaxLineNumber);
        std::vector<zax::LineEntry> entries(static_cast<size_t>(count));
        ASSERT_EQ(c.GetLines(count, entries), 0);
        for (size_t i = 0; i < entries.size(); ++i)
            EXPECT_TRUE(test::SameRecord(entries[i], s.lines[i])) << "line " << i + 1;
        std::vector<zax::LineEntry> more(static_cast<size_t>(count + 1));
        EXPECT_EQ(c.GetLines(static_cast<int16_t>(count + 1), more), Bad);
    }
}

TEST(SimReports, EachReportHasItsHeadingColumnsAndEntries) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    const struct {
        int16_t number;
        const char* title;
        const char* column;
        const char* row; // something of the demo office the report must show
    } reports[] = {
        {1, "DIRECTORY REPORT", "EXTENSION", "2001"},
        {2, "MAILBOX INFORMATION REPORT", "COS", "SYSTEM_MANAGER,MB"},
        {3, "GROUP LIST REPORT", "MEMBERS", "ALL-STAFF"},
        {4, "MESSAGE USAGE REPORT", "MINUTES", "TOTAL"},
        {5, "MAILBOX ACTIVITY REPORT", "LOGINS", "2000"},
        {6, "CLID REPORT", "PHONE #", "Table"},
        {7, "DN TRANSLATION REPORT", "OUTPUT", "Centrex"},
        {8, "ALARM REPORT", "CONDITION", "Line 007"},
        {9, "CCR TREE REPORT", "PATHS", "21"},
        {10, "PORT USAGE REPORT", "RINGS", "008"},
        {11, "SYSTEM CONFIGURATION REPORT", "VALUE", "Extension length"},
        {12, "FAX REQUESTS REPORT", "RETRIES", "Fax"},
        {13, "CLASS OF SERVICE REPORT", "MBXMIN", "16"},
        {14, "SYSTEM PARAMETERS REPORT", "PARAMETER", "Touchtone gate"},
        {15, "SPEECH RECOGNITION REPORT", "ALIAS", "ENABLED"},
    };
    for (const auto& r : reports) {
        SCOPED_TRACE(r.title);
        const std::string text = Fetch(c, r.number);
        EXPECT_NE(text.find(r.title), std::string::npos);
        EXPECT_NE(text.find(r.column), std::string::npos);
        EXPECT_NE(text.find(r.row), std::string::npos);
        EXPECT_NE(text.find("END OF REPORT"), std::string::npos);
        EXPECT_GT(text.size(), 300u);
    }
}

TEST(SimReports, TheActivityReportCoversOneMailboxOrAll) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    const std::string all = Fetch(c, 5);
    const std::string one = Fetch(c, 5, "2001");
    EXPECT_NE(one.find("\n2001 "), std::string::npos);
    EXPECT_EQ(one.find("\n2002 "), std::string::npos);
    EXPECT_NE(all.find("\n2002 "), std::string::npos);
    EXPECT_NE(one.find("1 entries"), std::string::npos);
    EXPECT_EQ(c.RequestReport(5, zax::PrintDisplayLocally, Argument("7777")), StatusNoEntry);
    EXPECT_EQ(c.RequestReport(5, zax::PrintDisplayLocally, Argument("20a1")), Bad);
}

TEST(SimReports, RefusesUnknownReportsAndDestinationsAndPrintsWithoutText) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    int32_t size = -1;
    ASSERT_EQ(c.GetReportSize(size), 0);
    EXPECT_EQ(size, 0); // nothing requested yet
    for (int16_t number : {int16_t{0}, int16_t{16}, int16_t{-1}})
        EXPECT_EQ(c.RequestReport(number, zax::PrintDisplayLocally, {}), Bad);
    for (int16_t destination : {int16_t{1}, int16_t{3}, int16_t{-2}})
        EXPECT_EQ(c.RequestReport(1, destination, {}), Bad);
    Fetch(c, 1);
    // Sent to the printer, the report leaves nothing to fetch.
    ASSERT_EQ(c.RequestReport(2, zax::PrintOnKorPrinter, {}), 0);
    ASSERT_EQ(c.GetReportSize(size), 0);
    EXPECT_EQ(size, 0);
    std::vector<char> buffer(10);
    int32_t length = -1;
    EXPECT_EQ(c.GetReportText(10, length, buffer), StatusNoEntry);
    EXPECT_EQ(length, 0);
}

TEST(SimReports, ASmallBufferGetsTheStartOfTheText) {
    SimModel model(MakeDemoState());
    SimConnection c(model, 1);
    const std::string whole = Fetch(c, 2);
    std::vector<char> buffer(100);
    int32_t length = -1;
    ASSERT_EQ(c.GetReportText(100, length, buffer), 0);
    EXPECT_EQ(length, 100);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), whole.substr(0, 100));
    EXPECT_EQ(c.GetReportText(-1, length, buffer), Bad);
}

TEST(SimReports, ALargeSystemsReportsGrowPast64KiB) {
    SimModel model(LargeOffice(1000));
    SimConnection c(model, 1);
    const std::string information = Fetch(c, 2);
    EXPECT_GT(information.size(), 64u * 1024);
    EXPECT_NE(information.find("SUBSCRIBER,0999"), std::string::npos);
    const std::string count = std::to_string(model.state().mailboxes.size()) + " entries";
    EXPECT_NE(information.find("\n" + count), std::string::npos);
}

TEST(SimStatistics, ResetClearsTheCountsTheUsageReportsShowAndIsStored) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection c(model, 1);
        const std::string before = Fetch(c, 4);
        ASSERT_FALSE(model.state().mailboxUsage.empty());
        ASSERT_EQ(c.ResetStatistics(), 0);
        EXPECT_TRUE(model.state().mailboxUsage.empty());
        EXPECT_TRUE(model.state().portUsage.empty());
        const std::string after = Fetch(c, 4);
        EXPECT_NE(before, after);
        EXPECT_NE(after.find("TOTAL                                   0          0          0"),
                  std::string::npos)
            << after;
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_TRUE(loaded.mailboxUsage.empty());
    EXPECT_TRUE(loaded.portUsage.empty());
}

TEST(SimAttendant, LineAndParameterChangesSurviveARestart) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection c(model, 1);
        ASSERT_EQ(c.SetLine(3, 0, 4, 12), 0);
        ASSERT_EQ(c.SetAttendantParameters(0, 2, 33), 0);
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_TRUE(test::SameRecord(loaded.lines[2], zax::LineEntry{0, 4, 12}));
    EXPECT_TRUE(test::SameRecord(loaded.attendant, AttendantParameters{0, 2, 33}));
}

TEST(SimAttendant, AChangeTheDatabaseRefusesIsUndoneEverywhere) {
    test::ExpectChangeRolledBackWhenRefused("INSERT ON lines",
                                            [](SimConnection& c) { return c.SetLine(2, 0, 3, 7); });
    test::ExpectChangeRolledBackWhenRefused(
        "INSERT ON attendant", [](SimConnection& c) { return c.SetAttendantParameters(0, 0, 2); });
    test::ExpectChangeRolledBackWhenRefused("DELETE ON mailbox_usage",
                                            [](SimConnection& c) { return c.ResetStatistics(); });
}

} // namespace
} // namespace zaxsim
