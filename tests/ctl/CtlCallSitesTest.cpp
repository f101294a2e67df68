// Every server call zaxctl makes, broken in turn: the call sites are found by
// running each command against the in-process demo server and recording what
// it calls; then each recorded procedure fails with a transport failure. The
// failure must leave the command (not be taken for a status or swallowed),
// and nothing may be sent after it.

#include "InProcessServer.h"

#include "ctl/MailboxCsv.h"
#include "ctl/Prompts.h"
#include "ctl/Restore.h"
#include "ctl/Snapshot.h"
#include "dcerpc/RpcError.h"
#include "server/Catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

namespace {

using ctl::Json;
using Command = std::function<void(zax::VoiceMailServer&)>;

zax::SystemInfo InfoOf(zax::VoiceMailServer& server) {
    zax::SystemInfo info{};
    EXPECT_EQ(server.GetSystemInfo(info), 0);
    return info;
}

// A configuration that differs from the demo office in every section, with
// objects added, changed and removed in each table, so that a restore calls
// every writing procedure it has.
Json DifferentConfiguration() {
    testsupport::InProcessServer demo;
    Json w = ctl::TakeSnapshot(demo.server(), InfoOf(demo.server()));
    w["systemParameters"]["DirectorySearch"] =
        w["systemParameters"]["DirectorySearch"] == 2 ? 1 : 2;
    w["operator"]["AttendantExtension"] = "2001";
    w["fax"]["Retries"] = w["fax"]["Retries"] == 5 ? 4 : 5;
    w["blockingPeriods"]["Periods"][0][0] = {
        {"FromHour", 1}, {"FromMinute", 0}, {"ToHour", 2}, {"ToMinute", 0}};
    w["dialingParameters"]["AreaCode"] = "819";
    w["voiceDialing"]["Enabled"] = w["voiceDialing"]["Enabled"] == 1 ? 0 : 1;
    w["networking"]["NetworkRetry"] = w["networking"]["NetworkRetry"] == 3 ? 2 : 3;
    w["networking"]["CountryCode"] = "33";
    w["networking"]["SmtpProxyName"] = "mail.example.net";
    w["attendant"]["ReturnToAa"] = w["attendant"]["ReturnToAa"] == 1 ? 0 : 1;
    w["lines"][0]["Rings"] = w["lines"][0]["Rings"] == 6 ? 5 : 6;
    w["greetingTables"][1]["MorningGreeting"] =
        w["greetingTables"][1]["MorningGreeting"] == 7 ? 8 : 7;
    w["classesOfService"][2]["Name"] = "NIGHT STAFF";

    auto& sites = w["sites"];
    sites["71"]["SiteName"] = "RENAMED";
    Json site = sites["71"];
    site["SitePrefix"] = "99";
    sites["99"] = site;
    sites.erase("74");

    auto& mailboxes = w["mailboxes"];
    mailboxes["2002"]["Name"] = "BAKER,TOM";
    Json added = mailboxes["2002"];
    for (const char* field :
         {"Extension", "AlternateExtension1", "AlternateExtension2", "ExtendedName", "Alias"})
        added[field] = "";
    added["Number"] = "2099";
    added["Name"] = "NEWMAN,ANN";
    mailboxes["2099"] = added;
    mailboxes.erase("2004");

    auto& lists = w["groupLists"];
    lists["9001"]["ListName"] = "RENAMED";
    lists["9001"]["Members"].erase(0);
    lists["9002"]["Members"].push_back({{"MemberMailbox", "2099"}});
    lists["9050"] = lists["9002"];
    lists.erase("9004");

    auto& clid = w["clid"];
    const std::string firstClid = clid.begin().key();
    Json entry = clid[firstClid];
    entry["PhoneNumber"] = "6135550199";
    clid.erase(firstClid);
    clid[clid.begin().key()]["GreetingTable"] = 2;
    clid["6135550199"] = entry;

    auto& translations = w["translations"];
    translations["4165550100"] = "94165550100";
    translations["1613"] = "91613";
    translations.erase("411");
    if (w.contains("centrexRestrictions")) {
        auto& centrex = w["centrexRestrictions"];
        if (!centrex.empty())
            centrex.erase(0);
        centrex.push_back("1976");
    }
    return w;
}

void Snapshot(zax::VoiceMailServer& server) {
    const Json snapshot = ctl::TakeSnapshot(server, InfoOf(server));
    std::vector<std::string> mailboxes;
    for (const auto& [number, record] : snapshot["mailboxes"].items())
        mailboxes.push_back(number);
    const auto dir =
        std::filesystem::temp_directory_path() / ("zaxctl-calls-" + std::to_string(::getpid()));
    struct Cleanup {
        std::filesystem::path dir;
        ~Cleanup() { std::filesystem::remove_all(dir); }
    } cleanup{dir};
    ctl::SavePrompts(server, mailboxes, dir);
}

void Restore(zax::VoiceMailServer& server) {
    static const Json wanted = DifferentConfiguration();
    const Json current = ctl::TakeSnapshot(server, InfoOf(server));
    std::ostringstream out;
    ctl::ApplyRestore(ctl::PlanRestore(server, current, wanted), out);
}

void Import(zax::VoiceMailServer& server) {
    std::istringstream csv("Number,Name,ClassOfService\n"
                           "2002,\"BAKER,TOM\",2\n"
                           "2099,\"NEWMAN,ANN\",1\n");
    std::vector<zax::MailboxRecord> existing;
    zax::MailboxRecord r{};
    zax::SetText(r.Number, "2002");
    ASSERT_EQ(server.GetMailbox(r), 0);
    existing.push_back(r);
    const ctl::ImportPlan plan =
        ctl::PlanMailboxImport(ctl::ParseCsv(csv), InfoOf(server), existing);
    ASSERT_TRUE(plan.problems.empty());
    for (const ctl::ImportRow& row : plan.rows)
        (void)(row.exists ? server.ChangeMailbox(row.record, 0) : server.AddMailbox(row.record));
}

struct NamedCommand {
    const char* name;
    Command run;
};

const NamedCommand kCommands[] = {
    {"snapshot", Snapshot},
    {"restore", Restore},
    {"import", Import},
};

TEST(CtlCallSites, ATransportFailureAtAnyCallEndsTheCommandAndNothingFollows) {
    size_t cases = 0;
    for (const NamedCommand& command : kCommands) {
        std::set<uint16_t> opnums;
        {
            testsupport::InProcessServer sim;
            command.run(sim.server());
            for (const uint16_t op : sim.recorder().Sequence())
                opnums.insert(op);
        }
        EXPECT_GT(opnums.size(), 2u) << command.name;
        for (const uint16_t opnum : opnums) {
            SCOPED_TRACE(std::string(command.name) + ", " + zax::ProcedureName(opnum));
            testsupport::InProcessServer sim;
            sim.FailTransport(opnum);
            EXPECT_THROW(command.run(sim.server()), dcerpc::RpcError);
            const std::vector<uint16_t> calls = sim.recorder().Sequence();
            ASSERT_FALSE(calls.empty());
            EXPECT_EQ(calls.back(), opnum) << "calls went on after the failure";
            EXPECT_EQ(sim.recorder().Count(opnum), 1u);
            ++cases;
        }
    }
    EXPECT_GT(cases, 60u);
    std::cout << "[ zaxctl ] " << cases << " call sites broken in turn\n";
}

// The restore the cases above break does write each kind of object: the
// plan holds an add, a change and a delete in each table.
TEST(CtlCallSites, TheDifferentConfigurationReachesEveryWriter) {
    testsupport::InProcessServer sim;
    Restore(sim.server());
    std::set<uint16_t> written;
    for (const uint16_t op : sim.recorder().Sequence())
        written.insert(op);
    namespace op = zax::Opnum;
    for (const uint16_t writer : {op::AddMailbox,
                                  op::ChangeMailbox,
                                  op::DeleteMailbox,
                                  op::SetAttendantParameters,
                                  op::SetGreetingTable,
                                  op::SetLine,
                                  op::SetClid,
                                  op::DeleteClid,
                                  op::AddGroupList,
                                  op::ChangeGroupList,
                                  op::AddGroupMember,
                                  op::RemoveGroupMember,
                                  op::DeleteGroupList,
                                  op::SetFaxParameters,
                                  op::SetSystemParameters,
                                  op::SetClassOfService,
                                  op::SetVoiceDialing,
                                  op::SetOperatorSettings,
                                  op::AddTranslation,
                                  op::ChangeTranslation,
                                  op::DeleteTranslation,
                                  op::SetBlockingPeriods,
                                  op::SetGeneralNetworking,
                                  op::SetAmisNetworking,
                                  op::SetDigitalNetworking,
                                  op::AddSite,
                                  op::ChangeSite,
                                  op::DeleteSite,
                                  op::SetDialingParameters})
        EXPECT_TRUE(written.contains(writer)) << zax::ProcedureName(writer) << " was not called";
}

} // namespace
