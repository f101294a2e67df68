// zaxctl end to end: the real program against real zaxsim processes over
// loopback, in both byte orders.

#include "ZaxsimProcess.h"

#include "ctl/Connection.h"
#include "ctl/RecordJson.h"
#include "server/MailboxDefaults.h"
#include "server/Records.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using zaxtest::ZaxsimProcess;

namespace {

struct CtlRun {
    int exitCode = -1;
    std::string output;
};

// Runs zaxctl with `args` (and the password in the environment unless told
// otherwise); stdout and stderr together.
CtlRun Zaxctl(const std::string& args, const std::string& env = "ZAX_PASSWORD=1234") {
    const std::string command = env + " " + ZAXCTL_PATH + " " + args + " 2>&1 </dev/null";
    CtlRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Target(const ZaxsimProcess& sim) {
    return "127.0.0.1:" + std::to_string(sim.port());
}

class CtlOverLoopback : public ::testing::TestWithParam<const char*> {
protected:
    CtlOverLoopback()
        : dir(fs::temp_directory_path() / ("zaxctl-it-" + std::to_string(::getpid()))) {
        fs::create_directories(dir);
    }
    ~CtlOverLoopback() override { fs::remove_all(dir); }

    std::vector<std::string> Args(const std::string& name) const {
        std::vector<std::string> args = {"--state", (dir / (name + ".db")).string()};
        if (*GetParam())
            args.emplace_back(GetParam());
        return args;
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
};

// Ten changes through the client layer, as the windows would send them.
void ChangeTenThings(const ZaxsimProcess& sim) {
    ctl::ServerConnection c(ctl::ParseServerTarget(Target(sim)), "1234");
    zax::VoiceMailServer& s = c.Server();

    zax::SystemParameters system{};
    ASSERT_EQ(s.GetSystemParameters(system), 0);
    system.DirectorySearch = system.DirectorySearch == 2 ? 1 : 2;
    ASSERT_EQ(s.SetSystemParameters(system), 0);

    zax::OperatorSettings op{};
    ASSERT_EQ(s.GetOperatorSettings(op), 0);
    zax::SetText(op.AttendantExtension, "2999");
    ASSERT_EQ(s.SetOperatorSettings(op), 0);

    zax::FaxParameters fax{};
    ASSERT_EQ(s.GetFaxParameters(fax), 0);
    fax.Retries = static_cast<int16_t>(fax.Retries == 5 ? 4 : 5);
    ASSERT_EQ(s.SetFaxParameters(fax), 0);

    zax::CosRecord cos{};
    cos.ClassNumber = 3;
    ASSERT_EQ(s.GetClassOfService(cos), 0);
    zax::SetText(cos.Name, "NIGHT STAFF");
    ASSERT_EQ(s.SetClassOfService(cos), 0);

    zax::MailboxRecord tom{};
    zax::SetText(tom.Number, "2002");
    ASSERT_EQ(s.GetMailbox(tom), 0);
    zax::SetText(tom.Name, "BAKER,TOM");
    ASSERT_EQ(s.ChangeMailbox(tom, 0), 0);

    zax::MailboxRecord added = zax::NewMailboxRecord("2099", zax::MailboxType::Subscriber);
    zax::SetText(added.Name, "NEWMAN,ANN");
    ASSERT_EQ(s.AddMailbox(added), 0);

    zax::ClidEntry clid{};
    ASSERT_EQ(s.GetClid(clid, 1), 0);
    ASSERT_EQ(s.DeleteClid(clid), 0);

    zax::Chars<zax::TranslationInputSize> in{};
    zax::Chars<zax::TranslationOutputSize> out{};
    std::copy_n("4165550100", 10, in.begin());
    std::copy_n("94165550100", 11, out.begin());
    ASSERT_EQ(s.AddTranslation(in, out), 0);

    zax::GreetingTableRecord table{};
    table.TableNumber = 2;
    ASSERT_EQ(s.GetGreetingTable(table), 0);
    table.MorningGreeting = static_cast<int16_t>(table.MorningGreeting == 7 ? 8 : 7);
    ASSERT_EQ(s.SetGreetingTable(table), 0);

    zax::LineEntry line{};
    ASSERT_EQ(s.GetLines(1, std::span(&line, 1)), 0);
    ASSERT_EQ(s.SetLine(1, line.AnswerFlag, line.GreetingTable,
                        static_cast<int16_t>(line.Rings == 6 ? 5 : 6)),
              0);
}

// Backs up the demo server, changes ten things, names exactly those ten in
// the diff, restores the backup into another server and reads back an
// identical file, also after that server restarts.
TEST_P(CtlOverLoopback, SnapshotDiffAndRestoreRoundTrip) {
    const std::string before = File("before.json"), after = File("after.json"),
                      restored = File("restored.json"), again = File("again.json");
    {
        ZaxsimProcess a(Args("a"));
        CtlRun r =
            Zaxctl("snapshot --prompts " + File("voice") + " --server " + Target(a) + " " + before);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        // The demo office has recorded names and prompts, kept in the server's format.
        EXPECT_NE(r.output.find(" recordings written to "), std::string::npos) << r.output;
        size_t recordings = 0;
        for (const auto& f : fs::recursive_directory_iterator(File("voice")))
            if (f.is_regular_file()) {
                EXPECT_EQ(f.path().extension(), ".oki") << f.path();
                EXPECT_GT(f.file_size(), 0u) << f.path();
                ++recordings;
            }
        EXPECT_GT(recordings, 0u);
        ChangeTenThings(a);
        r = Zaxctl("snapshot --server " + Target(a) + " " + after);
        ASSERT_EQ(r.exitCode, 0) << r.output;
    }
    const CtlRun diff = Zaxctl("diff " + before + " " + after);
    EXPECT_EQ(diff.exitCode, 1);
    const std::vector<std::string> lines = Lines(diff.output);
    ASSERT_EQ(lines.size(), 10u) << diff.output;
    const std::vector<std::string> expected = {
        "system parameters: DirectorySearch ",
        "operator settings: AttendantExtension ",
        "fax parameters: Retries ",
        "line 1: Rings ",
        "greeting table 2: MorningGreeting ",
        "class of service 3: Name ",
        "mailbox 2002: Name \"BAKER,THOMAS\" → \"BAKER,TOM\"",
        "mailbox 2099: added",
        "CLID entry ",
        "translation 4165550100: added"};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];

    ZaxsimProcess b(Args("b"));
    // The plan first, without writing; then the restore itself.
    CtlRun r = Zaxctl("restore --dry-run --server " + Target(b) + " " + after);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("mailbox 2099: add"), std::string::npos) << r.output;
    r = Zaxctl("snapshot --server " + Target(b) + " " + restored);
    EXPECT_EQ(Slurp(restored), Slurp(before)) << "a dry run wrote something";

    r = Zaxctl("restore --server " + Target(b) + " " + after);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("0 refused, 0 skipped"), std::string::npos) << r.output;
    r = Zaxctl("snapshot --server " + Target(b) + " " + restored);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Slurp(restored), Slurp(after));

    // Putting the old backup back undoes all ten, and a second restore has
    // nothing left to do.
    r = Zaxctl("restore --server " + Target(b) + " " + before);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    r = Zaxctl("restore --server " + Target(b) + " " + before);
    EXPECT_NE(r.output.find("Nothing to do"), std::string::npos) << r.output;

    b.Stop();
    ZaxsimProcess restarted(Args("b"));
    r = Zaxctl("snapshot --server " + Target(restarted) + " " + again);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Slurp(again), Slurp(before));
}

// 1,000 rows, three of them bad: 997 mailboxes created, the three reported
// by line, nothing else touched.
TEST_P(CtlOverLoopback, CsvImportCreatesTheGoodRowsAndNamesTheBadOnes) {
    std::vector<std::string> args = Args("csv");
    args.insert(args.end(), {"--mailbox-capacity", "2000"});
    ZaxsimProcess sim(args);
    const std::string csv = File("new.csv"), before = File("before.json"),
                      after = File("after.json");
    {
        std::ofstream out(csv);
        out << "Number,Name,Type,ClassOfService,Extension,OutdialKind\n";
        for (int i = 0; i < 1000; ++i) {
            const std::string number = std::to_string(6000 + i);
            if (i == 100)
                out << number << ",BAD@NAME,Subscriber,1,,None\n"; // line 102
            else if (i == 500)
                out << number << ",\"SMITH,ANN\",Subscriber,17,,None\n"; // line 502
            else if (i == 900)
                out << "59,\"SHORT,NUMBER\",Subscriber,1,,None\n"; // line 902
            else
                out << number << ",\"USER" << i << ",TEST\",Subscriber,2," << number << ",None\n";
        }
    }
    ASSERT_EQ(Zaxctl("snapshot --server " + Target(sim) + " " + before).exitCode, 0);
    CtlRun r = Zaxctl("mailboxes import --server " + Target(sim) + " " + csv);
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find(":102: Name"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(":502: ClassOfService"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(":902: Number"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Created 997, changed 0"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("3 rows not used"), std::string::npos) << r.output;

    ASSERT_EQ(Zaxctl("snapshot --server " + Target(sim) + " " + after).exitCode, 0);
    const std::vector<std::string> diff = Lines(Zaxctl("diff " + before + " " + after).output);
    ASSERT_EQ(diff.size(), 997u);
    for (const std::string& line : diff)
        ASSERT_TRUE(line.starts_with("mailbox 6") && line.ends_with(": added")) << line;

    // Exported and imported again, nothing changes.
    const std::string exported = File("all.csv");
    ASSERT_EQ(Zaxctl("mailboxes export --server " + Target(sim) + " --csv " + exported).exitCode,
              0);
    r = Zaxctl("mailboxes import --server " + Target(sim) + " " + exported);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("Created 0, changed 0"), std::string::npos) << r.output;
}

// Several servers at once, one of them unreachable: the others are backed up
// and the report names the one that failed.
TEST_P(CtlOverLoopback, SeveralServersAtOnceAndOneUnreachable) {
    ZaxsimProcess one(Args("one")), two(Args("two"));
    ZaxsimProcess gone(Args("gone"));
    const std::string goneTarget = Target(gone);
    gone.Stop();
    const fs::path out = dir / "all";
    {
        std::ofstream list(File("servers"));
        list << "# the office\n" << Target(one) << "\n" << goneTarget << "\n";
    }
    const CtlRun r = Zaxctl("snapshot --servers-file " + File("servers") + " --server " +
                            Target(two) + " " + out.string());
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_TRUE(fs::exists(out / ("127.0.0.1_" + std::to_string(one.port()) + ".json")));
    EXPECT_TRUE(fs::exists(out / ("127.0.0.1_" + std::to_string(two.port()) + ".json")));
    EXPECT_NE(r.output.find("== " + goneTarget + " ==\nError communicating with the server"),
              std::string::npos)
        << r.output;
}

// A write the server refuses is reported with its status; what depends on it
// is skipped, everything else is still written.
TEST_P(CtlOverLoopback, RefusedWriteIsReportedAndTheRestGoesOn) {
    ZaxsimProcess sim(Args("refuse"));
    const std::string file = File("wanted.json");
    ASSERT_EQ(Zaxctl("snapshot --server " + Target(sim) + " " + file).exitCode, 0);
    ctl::Json wanted = ctl::Json::parse(Slurp(file));
    // A new mailbox whose extension another one holds, in a group list; and
    // a fax parameter that the server takes.
    ctl::Json clash = wanted["mailboxes"]["2002"];
    clash["Number"] = "2098";
    wanted["mailboxes"]["2098"] = clash;
    auto& members = wanted["groupLists"]["9002"]["Members"]; // MANAGERS, a voice list
    ctl::Json member = members[0];
    member["MemberMailbox"] = "2098";
    members.push_back(member);
    wanted["fax"]["Retries"] = wanted["fax"]["Retries"].get<int>() == 3 ? 2 : 3;
    std::ofstream(file) << wanted.dump(2);

    const CtlRun r = Zaxctl("restore --server " + Target(sim) + " " + file);
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("mailbox 2098: add\n  refused: status 31029"), std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("skipped: mailbox 2098 was not written"), std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("1 written, 1 refused, 1 skipped"), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CtlOverLoopback, ::testing::Values("", "--big-endian"),
                         [](const auto& param) {
                             return std::string(*param.param ? "BigEndian" : "LittleEndian");
                         });

// The password never on the command line; a wrong one refused; a server
// that breaks off mid-read leaves no half-written backup.
TEST(CtlCommandLine, PasswordAndFailuresAreClear) {
    const fs::path dir = fs::temp_directory_path() / ("zaxctl-cl-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    CtlRun r = Zaxctl("snapshot --server 127.0.0.1 --password 1234 x.json");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("never given on the command line"), std::string::npos) << r.output;

    ZaxsimProcess sim({"--state", (dir / "s.db").string(), "--fault", "9:drop@3"});
    const std::string target = "127.0.0.1:" + std::to_string(sim.port());
    r = Zaxctl("snapshot --server " + target + " " + (dir / "x.json").string(),
               "ZAX_PASSWORD=wrong");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("Invalid password"), std::string::npos) << r.output;

    { std::ofstream(dir / "pw") << "1234\n"; }
    r = Zaxctl("snapshot --password-file " + (dir / "pw").string() + " --server " + target + " " +
                   (dir / "x.json").string(),
               "ZAX_PASSWORD=");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("Network error"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir / "x.json"));
    EXPECT_FALSE(fs::exists(dir / "x.json.part"));
    fs::remove_all(dir);
}

} // namespace
