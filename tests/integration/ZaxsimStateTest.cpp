// zaxsim's state database seen from outside: a change is on disk before its
// reply, however the program ends; files that are not a state database are
// refused without being touched; a state file of the earlier format is
// imported once; the state can be read while the server runs.

#include "StateDatabase.h"
#include "ZaxsimProcess.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "server/ServerStatuses.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <thread>

using zaxtest::ZaxsimProcess;
namespace fs = std::filesystem;

namespace {

const fs::path kOfficeFile = fs::path(ZAX_SIM_TEST_DATA) / "office-v1.zaxstate";

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "zaxsim-it-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
    }
    ~TempDir() { fs::remove_all(path_); }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

std::string Contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Client {
    explicit Client(const ZaxsimProcess& sim) {
        setenv("ZAXMGR_EPM_PORT", std::to_string(sim.epmPort()).c_str(), 1);
        uint32_t status = 1;
        binding = zax::ServerBinding::FromString("ncacn_ip_tcp:127.0.0.1[]", status);
        server = std::make_unique<zax::RpcVoiceMailServer>(*binding);
    }
    // The mailbox's name, or nothing when there is no such mailbox.
    std::optional<std::string> Name(const std::string& number) {
        zax::MailboxRecord r{};
        zax::SetText(r.Number, number);
        const auto status = server->GetMailbox(r);
        EXPECT_TRUE(status == 0 || status == zax::StatusNoEntry) << status;
        return status == 0 ? std::optional(zax::GetText(r.Name)) : std::nullopt;
    }
    zax::ServerStatus Rename(const std::string& number, const std::string& name) {
        zax::MailboxRecord r{};
        zax::SetText(r.Number, number);
        if (auto status = server->GetMailbox(r))
            return status;
        zax::SetText(r.Name, name);
        return server->ChangeMailbox(r, 0);
    }
    std::unique_ptr<zax::ServerBinding> binding;
    std::unique_ptr<zax::RpcVoiceMailServer> server;
};

// ---- durability -----------------------------------------------------------------

// What the test knows of the mailboxes it changes: their names (nothing for
// a mailbox that does not exist), and the one change that was sent when the
// server was killed, which may or may not have been stored, but not in part.
struct Known {
    std::map<std::string, std::optional<std::string>> names;
    struct Pending {
        std::string number;
        std::optional<std::string> before, after;
    };
    std::optional<Pending> pending;
};

// Renames, adds and deletes mailboxes until the server goes away, recording
// each change as acknowledged once its reply is in. Returns how many were.
int ChangeUntilKilled(Client& c, std::mt19937& rng, int round, Known& known) {
    const char* renamable[] = {"2002", "2012", "2013", "2014", "2015", "2016"};
    int serial = 0, acknowledged = 0;
    try {
        for (;;) {
            const std::string tag = "R" + std::to_string(round) + "N" + std::to_string(serial++);
            std::vector<std::string> added;
            for (const auto& [number, name] : known.names)
                if (number[0] == '6' && name)
                    added.push_back(number);
            const auto choice = rng() % 4;
            Known::Pending op;
            if (choice == 3 && !added.empty()) {
                op = {added[rng() % added.size()], "ADDED", std::nullopt};
            } else if (choice == 2 && added.size() < 20) {
                op = {std::to_string(6000 + rng() % 1000), std::nullopt, "ADDED"};
                if (known.names[op.number])
                    continue;
            } else {
                op.number = renamable[rng() % std::size(renamable)];
                op.before = known.names.at(op.number);
                op.after = tag;
            }
            known.pending = op;
            zax::MailboxRecord r{};
            zax::SetText(r.Number, op.number);
            zax::SetText(r.Name, "ADDED");
            r.ClassOfService = 1;
            r.OutdialKind = static_cast<int16_t>(zax::OutdialKind::None);
            r.FaxRetries = 3;
            r.FaxInterval = 10;
            const auto status = !op.after    ? c.server->DeleteMailbox(r)
                                : !op.before ? c.server->AddMailbox(r)
                                             : c.Rename(op.number, *op.after);
            EXPECT_EQ(status, 0) << op.number;
            if (status != 0)
                return acknowledged;
            known.names[op.number] = op.after;
            known.pending.reset();
            ++acknowledged;
        }
    } catch (const std::exception&) {
        // The server was killed under the call.
    }
    return acknowledged;
}

void ExpectAllKnown(Client& c, Known& known) {
    if (known.pending) {
        const auto& p = *known.pending;
        const auto now = c.Name(p.number);
        EXPECT_TRUE(now == p.before || now == p.after) << p.number << " half stored";
        known.names[p.number] = now;
        known.pending.reset();
    }
    for (const auto& [number, name] : known.names)
        EXPECT_EQ(c.Name(number), name) << "acknowledged change of " << number << " lost";
}

TEST(ZaxsimState, EveryAcknowledgedChangeSurvivesSigkill) {
    TempDir dir;
    const std::string db = (dir / "state.db").string();
    std::mt19937 rng(7);
    Known known;
    for (const char* number : {"2002", "2012", "2013", "2014", "2015", "2016"})
        known.names[number] = std::nullopt;
    int acknowledged = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        ZaxsimProcess sim({"--state", db});
        Client reader(sim);
        if (round == 0)
            for (auto& [number, name] : known.names)
                name = reader.Name(number);
        ExpectAllKnown(reader, known);
        if (HasFailure())
            return;
        reader.binding->Disconnect();

        Client writer(sim);
        std::thread changes([&, seed = rng()] {
            std::mt19937 own(seed);
            acknowledged += ChangeUntilKilled(writer, own, round, known);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + rng() % 40));
        sim.Kill();
        changes.join();
    }
    ZaxsimProcess last({"--state", db});
    Client c(last);
    ExpectAllKnown(c, known);
    std::printf("%d changes acknowledged before 40 kills\n", acknowledged);
    EXPECT_GT(acknowledged, 25);
}

// ---- files ----------------------------------------------------------------------------

TEST(ZaxsimState, FilesThatAreNotAStateDatabaseStopStartUpUntouched) {
    TempDir dir;
    const struct {
        const char* what;
        std::function<void(const fs::path&)> make;
    } cases[] = {
        {"random bytes",
         [](const fs::path& f) {
             std::mt19937 rng(3);
             std::string bytes(10000, '\0');
             for (auto& b : bytes)
                 b = static_cast<char>(rng());
             std::ofstream(f, std::ios::binary) << bytes;
         }},
        {"a state database cut short",
         [](const fs::path& f) {
             ZaxsimProcess({"--state", f.string()}).Stop();
             fs::resize_file(f, fs::file_size(f) / 3);
         }},
        {"an SQLite database of another program",
         [](const fs::path& f) {
             zaxsim::Database other(f, zaxsim::Database::Mode::ReadWriteCreate);
             other.Exec("CREATE TABLE accounts (id INTEGER, owner TEXT)");
         }},
        {"a damaged state file of the earlier format",
         [](const fs::path& f) {
             std::string bytes = Contents(kOfficeFile);
             bytes[bytes.size() / 2] ^= 1;
             std::ofstream(f, std::ios::binary) << bytes;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = dir / c.what;
        c.make(file);
        const std::string before = Contents(file);
        const auto run =
            ZaxsimProcess::Run({"--epm-port", "0", "--port", "0", "--state", file.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.output.find(file.string()), std::string::npos) << run.output;
        EXPECT_EQ(Contents(file), before);
        EXPECT_FALSE(fs::exists(file.string() + ".db")) << "nothing imported";
    }
}

TEST(ZaxsimState, AMissingOrEmptyFileStartsTheDemoOfficeAndThePasswordIsStored) {
    TempDir dir;
    for (const char* name : {"missing.db", "empty.db"}) {
        SCOPED_TRACE(name);
        const std::string file = (dir / name).string();
        if (std::string(name) == "empty.db")
            std::ofstream{file};
        {
            ZaxsimProcess sim({"--state", file, "--password", "Changed"});
            EXPECT_EQ(Client(sim).Name("2002"), "BAKER,THOMAS");
        }
        ZaxsimProcess sim({"--state", file});
        zax::SystemInfo info{};
        ASSERT_EQ(Client(sim).server->GetSystemInfo(info), 0);
        EXPECT_EQ(zax::GetText(info.AdminPassword), "Changed");
    }
}

TEST(ZaxsimState, AnEarlierStateFileIsImportedOnceBesideItself) {
    TempDir dir;
    const fs::path old = dir / "demo-state.zax";
    fs::copy_file(kOfficeFile, old);
    const std::string original = Contents(old);
    {
        ZaxsimProcess sim({"--state", old.string()});
        Client c(sim);
        EXPECT_EQ(c.Name("2002"), "BAKER,THOMAS");
        ASSERT_EQ(c.Rename("2002", "BAKER,TOM"), 0);
    }
    EXPECT_TRUE(fs::exists(old.string() + ".db"));
    EXPECT_EQ(Contents(old), original);
    // The next start with the same argument serves the database, change and all.
    ZaxsimProcess sim({"--state", old.string()});
    EXPECT_EQ(Client(sim).Name("2002"), "BAKER,TOM");
}

TEST(ZaxsimState, ImportAndDumpCommands) {
    TempDir dir;
    const std::string db = (dir / "imported.db").string();
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* output;
    } cases[] = {
        {{"--import-state", kOfficeFile.string(), db}, 0, "imported"},
        {{"--import-state", kOfficeFile.string(), db}, 1, "already exists"},
        {{"--import-state", db, (dir / "again.db").string()}, 1, "not a zaxsim state file"},
        {{"--dump-state", db}, 0, "[mailboxes 2002]\nNumber = \"2002\"\nName = \"BAKER,THOMAS\""},
        {{"--dump-state", kOfficeFile.string()}, 0, "[sites 72]"},
        {{"--dump-state", (dir / "none.db").string()}, 1, "none.db"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const auto run = ZaxsimProcess::Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
        EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
    }
    EXPECT_FALSE(fs::exists(dir / "again.db"));
    EXPECT_FALSE(fs::exists(dir / "none.db"));
}

// What a trainee does: look at the server's tables with the sqlite3 shell
// while it runs, and see a change as soon as its reply is in.
TEST(ZaxsimState, TheSqliteShellSeesEveryChangeWhileTheServerRuns) {
    if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    TempDir dir;
    const std::string db = (dir / "state.db").string();
    ZaxsimProcess sim({"--state", db});
    Client c(sim);
    ASSERT_EQ(c.Rename("2002", "BAKER,TOM"), 0);
    const std::string query =
        "sqlite3 -readonly '" + db + "' \"SELECT Name FROM mailboxes WHERE Number = '2002'\"";
    FILE* shell = popen(query.c_str(), "r");
    ASSERT_NE(shell, nullptr);
    char line[64] = {};
    const bool got = fgets(line, sizeof line, shell) != nullptr;
    EXPECT_EQ(pclose(shell), 0);
    ASSERT_TRUE(got);
    EXPECT_STREQ(line, "BAKER,TOM\n");
}

} // namespace
