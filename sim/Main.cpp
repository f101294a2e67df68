// zaxsim: a simulated ZAX voice-mail server. It speaks the same remote
// interface over DCE/RPC with its own endpoint mapper, keeps its state in
// memory (or in a state database), and can be told to fail on purpose.

#include "FaultInjector.h"
#include "SimConnection.h"
#include "SimRecordings.h"
#include "SimVoice.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "StateDump.h"
#include "StateFile.h"
#include "dcerpc/EndpointMapper.h"
#include "dcerpc/RpcServer.h"
#include "server/ZaxService.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Options {
    std::string listen = "127.0.0.1";
    uint16_t epmPort = dcerpc::DefaultEpmPort;
    uint16_t port = 0;
    std::optional<std::string> stateFile;
    std::optional<std::string> password;
    bool bigEndian = false;
    uint16_t maxFrag = dcerpc::DefaultMaxFrag;
    std::vector<zaxsim::FaultRule> faults;
    bool verbose = false;
    std::vector<std::string> importState; // OLD NEW
    std::optional<std::string> dumpState;
    std::optional<bool> vpim; // overrides the state's VPIM availability for this run
    std::optional<int16_t> mailboxCapacity; // likewise, the size of the mailbox table
    std::optional<int32_t> voiceFormat;
};

const char* kUsage =
    "usage: zaxsim [--listen ADDR] [--epm-port N] [--port P] [--state FILE] [--password PW]\n"
    "              [--big-endian] [--max-frag N] [--fault OPNUM:ACTION]... [--verbose]\n"
    "              [--vpim yes|no] [--voice-format oki|sbc] [--mailbox-capacity N]\n"
    "       zaxsim --import-state OLD NEW\n"
    "       zaxsim --dump-state FILE\n"
    "  --state FILE: the state database; created with the demo office when missing or\n"
    "    empty. A state file of the earlier format is imported once into FILE.db beside it\n"
    "    (the file itself is left as it is), and FILE.db is used from then on.\n"
    "  --import-state: converts a state file of the earlier format into a new database.\n"
    "  --dump-state: prints the state a database (or earlier state file) holds.\n"
    "  --vpim: whether the VPIM voice format is offered for digital sites (this run only).\n"
    "  --mailbox-capacity: how many mailboxes the server holds, 1 to 32767 (this run only).\n"
    "  --voice-format: the server's recording format; the recordings it holds are\n"
    "    re-coded into it when it changes (default: as the state has it, OKI for a new one).\n"
    "  ACTION: status=N | rpc=N | drop | drop-once | refuse | refuse-once, optionally @n\n"
    "    for the n-th call only. refuse answers with a fault flagged not executed, which\n"
    "    the client may repeat (90:refuse-once fails one chunk write of a prompt once).\n";

[[noreturn]] void Usage(const std::string& problem) {
    std::cerr << "zaxsim: " << problem << "\n" << kUsage;
    std::exit(2);
}

uint16_t ParsePort(const std::string& s, const char* what) {
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end || v < 0 || v > 65535)
        Usage(std::string("bad ") + what + ": " + s);
    return static_cast<uint16_t>(v);
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage("missing value for " + a);
            return argv[++i];
        };
        if (a == "--listen") {
            o.listen = value();
            in_addr probe{};
            if (inet_pton(AF_INET, o.listen.c_str(), &probe) != 1)
                Usage("not an IPv4 address: " + o.listen);
        } else if (a == "--epm-port") {
            o.epmPort = ParsePort(value(), "endpoint mapper port");
        } else if (a == "--port") {
            o.port = ParsePort(value(), "port");
        } else if (a == "--state") {
            o.stateFile = value();
        } else if (a == "--password") {
            o.password = value();
            if (o.password->size() > 30)
                Usage("the password holds at most 30 characters");
        } else if (a == "--mailbox-capacity") {
            const std::string v = value();
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < 1 || n > 32767)
                Usage("--mailbox-capacity takes a number from 1 to 32767");
            o.mailboxCapacity = static_cast<int16_t>(n);
        } else if (a == "--vpim") {
            const std::string v = value();
            if (v != "yes" && v != "no")
                Usage("--vpim takes yes or no");
            o.vpim = v == "yes";
        } else if (a == "--big-endian") {
            o.bigEndian = true;
        } else if (a == "--max-frag") {
            o.maxFrag = ParsePort(value(), "fragment size");
            if (o.maxFrag < dcerpc::MinMaxFrag)
                Usage("fragment size below " + std::to_string(dcerpc::MinMaxFrag));
        } else if (a == "--fault") {
            std::string f = value();
            auto rule = zaxsim::ParseFaultRule(f);
            if (!rule)
                Usage("bad fault rule: " + f);
            o.faults.push_back(*rule);
        } else if (a == "--import-state") {
            o.importState = {value(), value()};
        } else if (a == "--dump-state") {
            o.dumpState = value();
        } else if (a == "--voice-format") {
            const std::string f = value();
            if (f == "oki")
                o.voiceFormat = zaxsim::FormatOki;
            else if (f == "sbc")
                o.voiceFormat = zaxsim::FormatSbc;
            else
                Usage("the voice format is oki or sbc: " + f);
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            std::exit(0);
        } else {
            Usage("unknown option " + a);
        }
    }
    return o;
}

namespace fs = std::filesystem;
using zaxsim::StateFileKind;

// Where a state file of the earlier format is imported to: beside it, under
// its own name with ".db" added, so the original is never touched.
fs::path ImportedName(const fs::path& stateFile) {
    return stateFile.string() + ".db";
}

void Import(const fs::path& from, const fs::path& to) {
    if (zaxsim::DetectStateFile(from) != StateFileKind::StateFile)
        throw std::runtime_error(from.string() + ": not a zaxsim state file");
    zaxsim::SimState state;
    try {
        state = zaxsim::ReadStateFile(from);
    } catch (const std::exception& e) {
        throw std::runtime_error(from.string() + ": " + e.what());
    }
    zaxsim::StateDatabase::Create(to, state);
}

// The database --state names, after creating or importing it if need be.
fs::path PrepareDatabase(const fs::path& path) {
    switch (zaxsim::DetectStateFile(path)) {
    case StateFileKind::Missing:
    case StateFileKind::Empty:
        zaxsim::StateDatabase::Create(path, zaxsim::MakeDemoState());
        std::cerr << "zaxsim: created " << path.string() << " with the demo office\n";
        return path;
    case StateFileKind::Database:
        return path;
    case StateFileKind::StateFile: {
        const fs::path db = ImportedName(path);
        const auto kind = zaxsim::DetectStateFile(db);
        if (kind == StateFileKind::Missing || kind == StateFileKind::Empty) {
            Import(path, db);
            std::cerr << "zaxsim: imported " << path.string() << " into " << db.string()
                      << "; the server keeps its state there from now on\n";
        } else {
            std::cerr << "zaxsim: using " << db.string() << ", imported earlier from "
                      << path.string() << "\n";
        }
        return db;
    }
    case StateFileKind::Unknown:
        break;
    }
    throw std::runtime_error(path.string() +
                             ": neither a zaxsim state database nor a zaxsim state file");
}

std::unique_ptr<zaxsim::SimModel> MakeModel(const Options& o) {
    if (!o.stateFile)
        return std::make_unique<zaxsim::SimModel>(zaxsim::MakeDemoState());
    auto store = zaxsim::StateDatabase::Open(PrepareDatabase(*o.stateFile));
    return std::make_unique<zaxsim::SimModel>(std::move(store));
}

// --password changes the stored password like any other change.
void SetPassword(zaxsim::SimModel& model, const std::string& password) {
    zax::SystemInfo info = model.state().systemInfo;
    zax::SetText(info.AdminPassword, password);
    zaxsim::StateChange change(model);
    change.PutSystemInfo(info);
    if (change.Commit() != 0)
        throw std::runtime_error("cannot store the password");
}

zaxsim::SimState ReadAnyState(const fs::path& path) {
    if (zaxsim::DetectStateFile(path) == StateFileKind::StateFile) {
        try {
            return zaxsim::ReadStateFile(path);
        } catch (const std::exception& e) {
            throw std::runtime_error(path.string() + ": " + e.what());
        }
    }
    return zaxsim::StateDatabase::Read(path);
}

// The commands that work on state files and end without serving.
std::optional<int> RunFileCommand(const Options& o) {
    if (!o.importState.empty()) {
        Import(o.importState[0], o.importState[1]);
        std::cerr << "zaxsim: imported " << o.importState[0] << " into " << o.importState[1]
                  << "\n";
        return 0;
    }
    if (o.dumpState) {
        zaxsim::DumpState(ReadAnyState(*o.dumpState), std::cout);
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    return std::nullopt;
}

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

} // namespace

int main(int argc, char** argv) {
    Options o = ParseOptions(argc, argv);
    std::unique_ptr<zaxsim::SimModel> modelOwner;
    try {
        if (auto status = RunFileCommand(o))
            return *status;
        modelOwner = MakeModel(o);
        if (o.password)
            SetPassword(*modelOwner, *o.password);
        if (o.vpim)
            modelOwner->mutableState().vpimAvailable = *o.vpim ? 1 : 0;
        if (o.mailboxCapacity)
            modelOwner->mutableState().capacity.Mailboxes = *o.mailboxCapacity;
        if (o.voiceFormat && zaxsim::ChangeServerVoiceFormat(*modelOwner, *o.voiceFormat) != 0)
            throw std::runtime_error("cannot store the voice format");
    } catch (const std::exception& e) {
        std::cerr << "zaxsim: " << e.what() << "\n";
        return 1;
    }
    zaxsim::SimModel& model = *modelOwner;

    auto plan = std::make_shared<zaxsim::FaultPlan>();
    for (const auto& f : o.faults)
        plan->Add(f);

    // Each association gets its own connection object, wrapped in the fault injector.
    struct Stack : zax::ForwardingServer {
        Stack(std::unique_ptr<zaxsim::SimConnection> c, std::shared_ptr<zaxsim::FaultPlan> p)
            : ForwardingServer(static_cast<zax::VoiceMailServer&>(injector)),
              connection(std::move(c)), injector(*connection, std::move(p)) {}
        std::unique_ptr<zaxsim::SimConnection> connection;
        zaxsim::FaultInjector injector;
    };
    zax::ZaxService service([&](dcerpc::AssociationId id) -> std::unique_ptr<zax::VoiceMailServer> {
        if (o.verbose)
            std::cerr << "zaxsim: association " << id << " opened\n";
        return std::make_unique<Stack>(std::make_unique<zaxsim::SimConnection>(model, id), plan);
    });
    dcerpc::EndpointMapperService epm;

    dcerpc::ServerOptions so;
    so.bigEndian = o.bigEndian;
    so.maxFrag = o.maxFrag;
    so.verbose = o.verbose;
    dcerpc::RpcServer server(so);
    server.AddInterface(&service);
    server.AddInterface(&epm);
    uint16_t epmPort, port;
    try {
        epmPort = server.Listen(o.listen, o.epmPort);
        port = server.Listen(o.listen, o.port);
    } catch (const std::exception& e) {
        std::cerr << "zaxsim: " << e.what() << "\n";
        return 1;
    }
    in_addr addr{};
    inet_pton(AF_INET, o.listen.c_str(), &addr);
    epm.Register(zax::ZaxInterfaceSyntax(), port, ntohl(addr.s_addr));

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    server.Start();
    std::printf("zaxsim listening on %s epm-port=%u port=%u\n", o.listen.c_str(), epmPort, port);
    std::fflush(stdout);
    while (!gStop)
        usleep(50000);
    server.Stop();
    return 0;
}
