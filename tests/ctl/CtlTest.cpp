// The pieces of zaxctl that need no server: records as JSON, the CSV rows
// and their checks, the diff's wording and a restore that meets a refusal.

#include "InProcessServer.h"
#include "ctl/MailboxCsv.h"
#include "ctl/RecordJson.h"
#include "ctl/Restore.h"
#include "ctl/Snapshot.h"
#include "ctl/SnapshotDiff.h"
#include "server/MailboxDefaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>

namespace {

using ctl::Json;

TEST(RecordJson, RecordsRoundTripWithNamesAndKeepWhatJsonDoesNotHold) {
    zax::GreetingTableRecord table{};
    table.TableNumber = 2;
    table.Hours[6][3].Hour = 23;
    table.Hours[0][0].Reserved0 = 77; // not the administrator's: stays out of JSON
    zax::SetText(table.AttendantExtension, "2000");
    const Json j = ctl::ToJson(table);
    EXPECT_EQ(j["AttendantExtension"], "2000");
    EXPECT_EQ(j["Hours"][6][3]["Hour"], 23);
    EXPECT_FALSE(j["Hours"][0][0].contains("Reserved0"));

    zax::GreetingTableRecord back{};
    back.Hours[0][0].Reserved0 = 77;
    ctl::FromJson(j, back);
    EXPECT_EQ(std::memcmp(&back, &table, sizeof table), 0);

    // Latin-1 on the wire, UTF-8 in the file, both ways.
    zax::MailboxRecord m{};
    zax::SetText(m.Name, std::string("C\xD4T\xC9,REN\xC9"));
    EXPECT_EQ(ctl::ToJson(m)["Name"], "CÔTÉ,RENÉ");
    zax::MailboxRecord n{};
    ctl::FromJson(ctl::ToJson(m), n);
    EXPECT_EQ(zax::GetText(n.Name), zax::GetText(m.Name));
}

TEST(RecordJson, ValuesNoRecordCanTakeAreRefusedByName) {
    zax::MailboxRecord m{};
    const auto refusal = [&](const Json& j) {
        try {
            ctl::FromJson(j, m, "mailboxes.2002");
        } catch (const ctl::RecordJsonError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal({{"ClassOfService", 300}}),
              "mailboxes.2002.ClassOfService: 300 is out of range");
    EXPECT_EQ(refusal({{"Nmae", "X"}}), "mailboxes.2002.Nmae: no such field");
    EXPECT_EQ(refusal({{"Name", std::string(22, 'A')}}),
              "mailboxes.2002.Name: longer than 21 characters");
    EXPECT_EQ(refusal({{"Name", "日本"}}),
              "mailboxes.2002.Name: a character the server cannot hold (only Latin-1 is stored)");
    EXPECT_EQ(refusal({{"Type", "0"}}), "mailboxes.2002.Type: a whole number is expected");
    EXPECT_EQ(refusal({{"Reserved0", 1}}), "mailboxes.2002.Reserved0: no such field");
}

TEST(RecordJson, OnlySnapshotsAreReadAndNoFileNestsDeepEnoughToExhaustTheStack) {
    const auto refusal = [](const std::string& text) {
        try {
            ctl::ParseSnapshot(text);
        } catch (const ctl::RecordJsonError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const std::string head = R"({"format":"zax-configuration-snapshot","version":1)";
    EXPECT_EQ(refusal(head + "}"), "accepted");
    // Brackets inside a text are text.
    EXPECT_EQ(refusal(head + R"(,"x":")" + std::string(100, '[') + R"("})"), "accepted");
    EXPECT_EQ(refusal(head + R"(,"x":)" + std::string(100000, '[') + "}"),
              "nested deeper than a snapshot is");
    EXPECT_EQ(refusal(head), "not JSON");
    EXPECT_EQ(refusal(R"({"format":"zax-configuration-snapshot","version":2})"),
              "snapshot version 2 is not one this program reads (it reads version 1)");
    EXPECT_EQ(refusal("[]"),
              R"(not a configuration snapshot ("format" is not "zax-configuration-snapshot"))");
}

zax::SystemInfo Limits() {
    zax::SystemInfo info{};
    info.ExtensionLength = 4;
    info.MaxLineNumber = 24;
    info.MaxPoolNumber = 8;
    return info;
}

TEST(MailboxCsv, RowsAreCheckedBeforeAnythingAndBadOnesNamedByLine) {
    std::istringstream in("Number,Name,Type,ClassOfService,OutdialKind,OutdialNumber\r\n"
                          "3001,\"SMITH,ANN\",Subscriber,2,None,0\r\n"
                          "3002,\"JONES,\"\"BOB\"\"\",Subscriber,2,None,0\n" // a quote: no name
                          "\n"                                               // blank: no row
                          "3003,\"LEE,\nKIM\",Subscriber,2,None,0\n"         // newline in a cell
                          "3004,\"WU,LI\",Subscriber,2,Pool,9\n"             // pool 9 of 8
                          "3005,\"WU,LI\",ServerSubscriber1,2,None,0\n"      // not creatable
                          "3001,\"AGAIN,ANN\",Subscriber,2,None,0\n"         // twice
                          "2002,\"BAKER,TOM\",Reserved7,3,Line,2\n"          // kept type
                          "3006,\"WU,LI\",Subscriber,x,None,0\n"             // not a number
                          "3007,\"WU,LI\",Subscriber,2\n");                  // short row
    const auto rows = ctl::ParseCsv(in);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[2].cells[1], "JONES,\"BOB\"");
    EXPECT_EQ(rows[3].cells[1], "LEE,\nKIM");
    EXPECT_EQ(rows[4].line, 7u); // after the blank line and the cell with a line break
    zax::MailboxRecord existing = zax::NewMailboxRecord("2002", zax::MailboxType::Reserved7);
    zax::SetText(existing.Extension, "2002");
    const ctl::ImportPlan plan = ctl::PlanMailboxImport(rows, Limits(), {existing});

    std::vector<std::string> problems;
    for (const auto& p : plan.problems)
        problems.push_back(std::to_string(p.line) + " " + p.reason);
    const std::string badName =
        "Name: Invalid name (LAST,FIRST: letters, digits, ' - _, 16 characters at most)";
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "3 " + badName, "5 " + badName,
                            "7 OutdialNumber: Invalid line or pool number for the outdial kind",
                            "8 Type: This mailbox type cannot be created or changed here",
                            "9 mailbox 3001 is on an earlier row too",
                            "11 ClassOfService: \"x\" is not a whole number",
                            "12 4 cells where the header has 6"}));
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_FALSE(plan.rows[0].exists);
    EXPECT_EQ(zax::GetText(plan.rows[0].record.Name), "SMITH,ANN");
    EXPECT_EQ(plan.rows[0].record.Directory, 1); // a new mailbox's defaults
    EXPECT_TRUE(plan.rows[1].exists);
    EXPECT_EQ(zax::GetText(plan.rows[1].record.Extension), "2002"); // kept from the server
    EXPECT_EQ(plan.rows[1].record.ClassOfService, 3);
}

TEST(MailboxCsv, ExportReadsBackAsTheSameRecords) {
    zax::MailboxRecord r = zax::NewMailboxRecord("2002", zax::MailboxType::Subscriber);
    zax::SetText(r.Name, "O'NEIL,ANN");
    zax::SetText(r.ExtendedName, "Ann O'Neil");
    r.ClassOfService = 4;
    r.OutdialKind = static_cast<int16_t>(zax::OutdialKind::Line);
    r.OutdialNumber = 3;
    std::stringstream csv;
    ctl::WriteMailboxCsv(csv, {r});
    const auto rows = ctl::ParseCsv(csv);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells[2], "Subscriber");
    const ctl::ImportPlan plan = ctl::PlanMailboxImport(rows, Limits(), {r});
    ASSERT_TRUE(plan.problems.empty()) << plan.problems[0].reason;
    ASSERT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(std::memcmp(&plan.rows[0].record, &r, sizeof r), 0);
}

TEST(SnapshotDiff, NamesEachChangedObjectInSectionAndKeyOrder) {
    Json a = {{"format", "x"},
              {"fax", {{"Retries", 3}}},
              {"lines", {{{"Rings", 4}}, {{"Rings", 2}}}},
              {"mailboxes", {{"2002", {{"Name", "BAKER,THOMAS"}}}, {"2003", {{"Name", "X"}}}}},
              {"groupLists",
               {{"9001", {{"ListName", "SALES"}, {"Members", {{{"MemberMailbox", "2002"}}}}}}}},
              {"centrexRestrictions", {"011", "1900"}}};
    Json b = a;
    b["fax"]["Retries"] = 4;
    b["lines"][1]["Rings"] = 5;
    b["mailboxes"]["2002"]["Name"] = "BAKER,TOM";
    b["mailboxes"].erase("2003");
    b["mailboxes"]["2010"] = {{"Name", "NEW,ONE"}};
    b["groupLists"]["9001"]["Members"] = {{{"MemberMailbox", "2010"}}};
    b["centrexRestrictions"] = {"011", "1976"};
    EXPECT_EQ(ctl::DiffSnapshots(a, b),
              (std::vector<std::string>{
                  "fax parameters: Retries 3 → 4",
                  "line 2: Rings 2 → 5",
                  "mailbox 2002: Name \"BAKER,THOMAS\" → \"BAKER,TOM\"",
                  "mailbox 2003: removed",
                  "mailbox 2010: added",
                  "group list 9001: Members removed {\"MemberMailbox\":\"2002\"}, Members added "
                  "{\"MemberMailbox\":\"2010\"}",
                  "Centrex restriction 1900: removed",
                  "Centrex restriction 1976: added",
              }));
    EXPECT_TRUE(ctl::DiffSnapshots(a, a).empty());
}

// A refused write skips what needs it and the rest goes on; then what was
// refused or skipped is tried once more, since a later step (a deletion) may
// have made room for it.
TEST(Restore, ARefusalSkipsWhatNeedsItTheRestGoesOnAndItIsTriedOnceMore) {
    std::vector<std::string> written;
    const auto step = [&](std::string text, std::vector<zax::ServerStatus> answers,
                          std::string provides, std::vector<std::string> needs) {
        auto left = std::make_shared<std::vector<zax::ServerStatus>>(std::move(answers));
        return ctl::RestoreStep{text, provides, needs, [&written, text, left] {
                                    written.push_back(text);
                                    const zax::ServerStatus status = left->front();
                                    if (left->size() > 1)
                                        left->erase(left->begin());
                                    return status;
                                }};
    };
    // 2003 wants the extension 2009 holds until 2009 is deleted; 2098's
    // extension stays taken.
    const std::vector<ctl::RestoreStep> plan = {
        step("mailbox 2003: add", {31029, 0}, "mailbox 2003", {}),
        step("mailbox 2098: add", {31029}, "mailbox 2098", {}),
        step("group list 9002: add member 2003", {0}, {}, {"mailbox 2003"}),
        step("group list 9002: add member 2098", {0}, {}, {"mailbox 2098"}),
        step("mailbox 2009: delete", {0}, {}, {}),
    };
    std::ostringstream out;
    const ctl::RestoreOutcome outcome = ctl::ApplyRestore(plan, out);
    EXPECT_EQ(written,
              (std::vector<std::string>{"mailbox 2003: add", "mailbox 2098: add",
                                        "mailbox 2009: delete", "mailbox 2003: add",
                                        "mailbox 2098: add", "group list 9002: add member 2003"}));
    EXPECT_EQ(outcome.applied, 3u);
    EXPECT_EQ(outcome.refused, 1u);
    EXPECT_EQ(outcome.skipped, 1u);
    EXPECT_FALSE(outcome.Complete());
    EXPECT_NE(out.str().find("refused: status 31029 (the extension is used by another mailbox)"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("skipped: mailbox 2098 was not written"), std::string::npos);
}

// A snapshot written by hand may leave sections out, and fields of a record
// or entry: those keep the server's values, and a second restore has
// nothing to do. A misspelt member list or an overlong key is refused by name.
TEST(Restore, APartialSnapshotChangesOnlyWhatItNames) {
    testsupport::InProcessServer sim;
    zax::SystemInfo info{};
    ASSERT_EQ(sim.server().GetSystemInfo(info), 0);
    const Json before = ctl::TakeSnapshot(sim.server(), info);
    std::string phone; // an entry that sends callers to a greeting table
    for (const auto& [key, entry] : before["clid"].items())
        if (entry["TargetType"] == static_cast<int>(zax::ClidTarget::Table))
            phone = key;
    ASSERT_FALSE(phone.empty());
    const int table = before["clid"][phone]["GreetingTable"].get<int>() == 3 ? 2 : 3;
    Json wanted = {{"format", "zax-configuration-snapshot"}, {"version", 1}};
    wanted["clid"] = before["clid"]; // a table present is the whole table
    wanted["clid"][phone] = {{"GreetingTable", table}};
    wanted["lines"] = before["lines"];
    wanted["lines"][0] = {{"Rings", 7}};
    const auto plan = ctl::PlanRestore(sim.server(), before, wanted);
    ASSERT_EQ(plan.size(), 2u);
    std::ostringstream out;
    EXPECT_TRUE(ctl::ApplyRestore(plan, out).Complete()) << out.str();

    const Json after = ctl::TakeSnapshot(sim.server(), info);
    Json expected = before;
    expected["clid"][phone]["GreetingTable"] = table;
    expected["lines"][0]["Rings"] = 7;
    EXPECT_EQ(ctl::DiffSnapshots(expected, after), std::vector<std::string>{});
    EXPECT_TRUE(ctl::PlanRestore(sim.server(), after, wanted).empty());

    const auto refusal = [&](Json bad) {
        try {
            ctl::PlanRestore(sim.server(), after, bad);
        } catch (const ctl::RecordJsonError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    Json misspelt = {{"format", "zax-configuration-snapshot"}, {"version", 1}};
    misspelt["groupLists"]["9001"] = {{"ListName", "SALES"}, {"members", Json::array()}};
    EXPECT_EQ(refusal(misspelt), "groupLists.9001.members: no such field");
    Json overlong = {{"format", "zax-configuration-snapshot"}, {"version", 1}};
    overlong["mailboxes"]["200312345"] = before["mailboxes"]["2002"];
    EXPECT_EQ(refusal(overlong),
              "\"200312345\": longer than 8 characters, the most this key holds");
}

} // namespace
