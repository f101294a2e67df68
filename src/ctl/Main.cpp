// zaxctl: back up, compare and put back a voice-mail server's configuration,
// and move mailboxes to and from spreadsheets, from the command line.

#include "ctl/Connection.h"
#include "ctl/MailboxCsv.h"
#include "ctl/Password.h"
#include "ctl/Prompts.h"
#include "ctl/Restore.h"
#include "ctl/Snapshot.h"
#include "ctl/SnapshotDiff.h"
#include "dcerpc/RpcError.h"

#include <atomic>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage = R"(usage: zaxctl snapshot --server HOST [--prompts DIR] OUT.json
       zaxctl restore  --server HOST IN.json [--dry-run]
       zaxctl diff A.json B.json
       zaxctl mailboxes export --server HOST [--csv OUT.csv]
       zaxctl mailboxes import --server HOST IN.csv [--dry-run]

Servers:
  --server HOST        a server name or address; HOST:PORT reaches the server's
                       own port without its endpoint mapper. May be repeated.
  --servers-file FILE  one server per line (# starts a comment).
  With several servers each is handled on its own connection at the same
  time; OUT names a directory that receives one file per server, and the
  report has one section per server. One unreachable server does not stop
  the others.

Password (never on the command line):
  --password-file FILE  its first line; else the environment variable
                        ZAX_PASSWORD; else a prompt on the terminal.

Exit status: 0 when everything was done, 1 when something was refused or a
server could not be used, 2 for a command line or file that cannot be used.
)";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string command;
    std::vector<std::string> servers;
    std::vector<std::string> files;
    std::optional<std::string> passwordFile;
    std::optional<std::string> csv;
    std::optional<std::string> prompts;
    bool dryRun = false;
};

std::vector<std::string> ReadServersFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw UsageError("cannot read the servers file " + path);
    std::vector<std::string> servers;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        const size_t begin = line.find_first_not_of(" \t\r");
        if (begin == std::string::npos)
            continue;
        servers.push_back(line.substr(begin, line.find_last_not_of(" \t\r") - begin + 1));
    }
    return servers;
}

Options Parse(int argc, char** argv) {
    Options o;
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto value = [&](size_t& i) {
        if (i + 1 >= args.size())
            throw UsageError(args[i] + " needs a value");
        return args[++i];
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.command = "help";
            return o;
        }
        if (a == "--server")
            o.servers.push_back(value(i));
        else if (a == "--servers-file")
            for (auto& s : ReadServersFile(value(i)))
                o.servers.push_back(std::move(s));
        else if (a == "--password-file")
            o.passwordFile = value(i);
        else if (a == "--password" || a.starts_with("--password="))
            throw UsageError("a password is never given on the command line (anyone on the "
                             "machine can read it there): use --password-file, ZAX_PASSWORD "
                             "or the prompt");
        else if (a == "--csv")
            o.csv = value(i);
        else if (a == "--prompts")
            o.prompts = value(i);
        else if (a == "--dry-run")
            o.dryRun = true;
        else if (a.starts_with("--"))
            throw UsageError("unknown option " + a);
        else if (o.command.empty())
            o.command = a;
        else if (o.command == "mailboxes" && o.files.empty() && (a == "export" || a == "import"))
            o.command += " " + a;
        else
            o.files.push_back(a);
    }
    return o;
}

ctl::Json ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + path);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    try {
        return ctl::ParseSnapshot(text);
    } catch (const ctl::RecordJsonError& e) {
        throw UsageError(path + ": " + e.what());
    }
}

// Writes through a temporary file beside the target, so an interrupted
// write never leaves half a backup under the backup's name.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& text) {
    const std::filesystem::path temp = path.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw std::runtime_error("cannot write " + path.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::filesystem::remove(temp, error);
        throw std::runtime_error("cannot write " + path.string());
    }
}

// The progress of every server's long reads on one terminal line.
class ProgressLine {
public:
    explicit ProgressLine(size_t servers)
        : shown_(::isatty(::fileno(stderr)) != 0), state_(servers) {}
    ctl::Progress For(size_t server, const std::string& name) {
        if (!shown_)
            return {};
        return [this, server, name](size_t done, size_t total) {
            std::lock_guard lock(mutex_);
            state_[server] = {name, total ? done * 100 / total : 0};
            std::string line = "\r";
            for (const auto& [n, percent] : state_)
                if (!n.empty())
                    line += n + " [" + std::string(percent / 5, '#') +
                            std::string(20 - percent / 5, ' ') + "] " + std::to_string(percent) +
                            "%  ";
            std::cerr << line << std::flush;
        };
    }
    ~ProgressLine() {
        if (shown_)
            std::cerr << '\n';
    }

private:
    bool shown_;
    std::mutex mutex_;
    std::vector<std::pair<std::string, size_t>> state_;
};

std::string FileNameFor(const std::string& server) {
    std::string name;
    for (char c : server)
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-') ? c : '_';
    return name;
}

// What one server's job reports.
struct JobResult {
    std::string report;
    bool ok = false;
};

using Job = std::function<bool(ctl::ServerConnection&, std::ostream&, size_t index)>;

// Runs `job` on every server at once, each on its own connection, and prints
// each server's report as its own section, in the order the servers were
// named.
int RunOnServers(const Options& o, const std::string& password, const Job& job) {
    std::vector<JobResult> results(o.servers.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < o.servers.size(); ++i)
        threads.emplace_back([&, i] {
            std::ostringstream report;
            try {
                ctl::ServerConnection connection(ctl::ParseServerTarget(o.servers[i]), password);
                results[i].ok = job(connection, report, i);
            } catch (const ctl::ConnectError& e) {
                report << e.what() << '\n';
            } catch (const dcerpc::RpcError& e) {
                report << "Network error: " << e.what() << " (nothing more was done)\n";
            } catch (const std::exception& e) {
                report << e.what() << '\n';
            }
            results[i].report = report.str();
        });
    for (auto& t : threads)
        t.join();
    bool ok = true;
    for (size_t i = 0; i < results.size(); ++i) {
        if (results.size() > 1)
            std::cout << "== " << o.servers[i] << " ==\n";
        std::cout << results[i].report;
        ok = ok && results[i].ok;
    }
    return ok ? 0 : 1;
}

// Where server i's file goes: OUT itself for one server, OUT/<server>.EXT
// for several.
std::filesystem::path OutputFor(const Options& o, const std::string& out, size_t i,
                                const char* extension) {
    if (o.servers.size() == 1)
        return out;
    return std::filesystem::path(out) / (FileNameFor(o.servers[i]) + extension);
}

std::vector<zax::MailboxRecord> ReadMailboxes(zax::VoiceMailServer& server) {
    std::vector<zax::MailboxRecord> records;
    for (const std::string& number : ctl::EntryNumbers(server, zax::EntryKind::Mailbox))
        if (const auto r = ctl::ReadMailbox(server, number))
            records.push_back(*r);
    return records;
}

int Snapshot(const Options& o, const std::string& password) {
    if (o.files.size() != 1)
        throw UsageError("snapshot needs one output file");
    if (o.servers.size() > 1)
        std::filesystem::create_directories(o.files[0]);
    ProgressLine progress(o.servers.size());
    return RunOnServers(o, password, [&](ctl::ServerConnection& c, std::ostream& report, size_t i) {
        const ctl::Json snapshot =
            ctl::TakeSnapshot(c.Server(), c.Info(), progress.For(i, o.servers[i]));
        const auto path = OutputFor(o, o.files[0], i, ".json");
        WriteFileAtomically(path, snapshot.dump(2) + "\n");
        report << "Snapshot written to " << path.string() << '\n';
        if (o.prompts) {
            std::vector<std::string> mailboxes;
            for (const auto& [number, record] : snapshot["mailboxes"].items())
                mailboxes.push_back(number);
            const std::filesystem::path dir =
                o.servers.size() == 1
                    ? std::filesystem::path(*o.prompts)
                    : std::filesystem::path(*o.prompts) / FileNameFor(o.servers[i]);
            const size_t saved = ctl::SavePrompts(c.Server(), mailboxes, dir,
                                                  progress.For(i, o.servers[i] + " recordings"));
            report << saved << " recordings written to " << dir.string() << '\n';
        }
        return true;
    });
}

int Restore(const Options& o, const std::string& password) {
    if (o.files.size() != 1)
        throw UsageError("restore needs one snapshot file");
    const ctl::Json wanted = ReadJsonFile(o.files[0]);
    std::atomic<bool> unusable = false;
    const int code =
        RunOnServers(o, password, [&](ctl::ServerConnection& c, std::ostream& report, size_t) {
            const ctl::Json current = ctl::TakeSnapshot(c.Server(), c.Info());
            std::vector<ctl::RestoreStep> plan;
            try {
                plan = ctl::PlanRestore(c.Server(), current, wanted);
            } catch (const ctl::RecordJsonError& e) {
                report << o.files[0] << ": " << e.what() << " (nothing was written)\n";
                unusable = true;
                return false;
            }
            if (plan.empty()) {
                report << "Nothing to do: the server already holds this configuration.\n";
                return true;
            }
            if (o.dryRun) {
                for (const auto& step : plan)
                    report << step.text << '\n';
                report << plan.size()
                       << " changes would be written (dry run: nothing was written).\n";
                return true;
            }
            const ctl::RestoreOutcome outcome = ctl::ApplyRestore(plan, report);
            report << outcome.applied << " written, " << outcome.refused << " refused, "
                   << outcome.skipped << " skipped.\n";
            return outcome.Complete();
        });
    return unusable ? 2 : code;
}

int Diff(const Options& o) {
    if (o.files.size() != 2 || !o.servers.empty())
        throw UsageError("diff compares two snapshot files");
    const auto lines = ctl::DiffSnapshots(ReadJsonFile(o.files[0]), ReadJsonFile(o.files[1]));
    for (const auto& line : lines)
        std::cout << line << '\n';
    return lines.empty() ? 0 : 1;
}

int Export(const Options& o, const std::string& password) {
    if (!o.files.empty())
        throw UsageError("mailboxes export writes to --csv FILE or to the standard output");
    if (o.csv && o.servers.size() > 1)
        std::filesystem::create_directories(*o.csv);
    return RunOnServers(o, password, [&](ctl::ServerConnection& c, std::ostream& report, size_t i) {
        std::ostringstream csv;
        const auto records = ReadMailboxes(c.Server());
        ctl::WriteMailboxCsv(csv, records);
        if (!o.csv) {
            report << csv.str();
            return true;
        }
        const auto path = OutputFor(o, *o.csv, i, ".csv");
        WriteFileAtomically(path, csv.str());
        report << records.size() << " mailboxes written to " << path.string() << '\n';
        return true;
    });
}

int Import(const Options& o, const std::string& password) {
    if (o.files.size() != 1)
        throw UsageError("mailboxes import needs one CSV file");
    std::ifstream in(o.files[0], std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + o.files[0]);
    const std::vector<ctl::CsvRow> rows = ctl::ParseCsv(in);
    return RunOnServers(o, password, [&](ctl::ServerConnection& c, std::ostream& report, size_t) {
        const auto existing = ReadMailboxes(c.Server());
        const ctl::ImportPlan plan = ctl::PlanMailboxImport(rows, c.Info(), existing);
        for (const auto& p : plan.problems)
            report << o.files[0] << ":" << p.line << ": " << p.reason << '\n';
        size_t created = 0, changed = 0, unchanged = 0, refused = 0;
        std::map<std::string, zax::MailboxRecord> held;
        for (const auto& r : existing)
            held[zax::GetText(r.Number)] = r;
        for (const ctl::ImportRow& row : plan.rows) {
            const std::string number = zax::GetText(row.record.Number);
            if (row.exists && ctl::ToJson(held[number]) == ctl::ToJson(row.record)) {
                ++unchanged;
                continue;
            }
            if (o.dryRun) {
                report << "line " << row.line << ": " << (row.exists ? "change" : "add")
                       << " mailbox " << number << '\n';
                ++(row.exists ? changed : created);
                continue;
            }
            const zax::ServerStatus status = row.exists ? c.Server().ChangeMailbox(row.record, 0)
                                                        : c.Server().AddMailbox(row.record);
            if (status != 0) {
                report << o.files[0] << ":" << row.line << ": mailbox " << number
                       << " refused: status " << status << " (" << ctl::StatusText(status) << ")\n";
                ++refused;
            } else {
                ++(row.exists ? changed : created);
            }
        }
        report << (o.dryRun ? "Would create " : "Created ") << created << ", "
               << (o.dryRun ? "would change " : "changed ") << changed << ", unchanged "
               << unchanged << "; " << refused << " refused by the server, " << plan.problems.size()
               << " rows not used.\n";
        return refused == 0 && plan.problems.empty();
    });
}

} // namespace

int main(int argc, char** argv) {
    try {
        const Options o = Parse(argc, argv);
        if (o.command == "help" || argc == 1) {
            std::cout << kUsage;
            return argc == 1 ? 2 : 0;
        }
        if (o.command == "diff")
            return Diff(o);
        if (o.command != "snapshot" && o.command != "restore" && o.command != "mailboxes export" &&
            o.command != "mailboxes import")
            throw UsageError("unknown command \"" + o.command + "\"");
        if (o.servers.empty())
            throw UsageError(o.command + " needs --server HOST");
        const std::string password = ctl::ReadPassword(o.passwordFile);
        if (o.command == "snapshot")
            return Snapshot(o, password);
        if (o.command == "restore")
            return Restore(o, password);
        if (o.command == "mailboxes export")
            return Export(o, password);
        return Import(o, password);
    } catch (const UsageError& e) {
        std::cerr << "zaxctl: " << e.what() << "\n(zaxctl --help shows how it is used)\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "zaxctl: " << e.what() << '\n';
        return 2;
    }
}
