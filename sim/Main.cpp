// zaxsim: a simulated ZAX voice-mail server. It speaks the same remote
// interface over DCE/RPC with its own endpoint mapper, keeps its state in
// memory (or in a state file), and can be told to fail on purpose.

#include "FaultInjector.h"
#include "SimConnection.h"
#include "StateFile.h"
#include "ZaxService.h"
#include "dcerpc/EndpointMapper.h"
#include "dcerpc/RpcServer.h"

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
};

const char* kUsage =
    "usage: zaxsim [--listen ADDR] [--epm-port N] [--port P] [--state FILE] [--password PW]\n"
    "              [--big-endian] [--max-frag N] [--fault OPNUM:ACTION]... [--verbose]\n"
    "  ACTION: status=N | rpc=N | drop | drop-once, optionally @n for the n-th call only\n";

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

zaxsim::SimState InitialState(const Options& o) {
    zaxsim::SimState state;
    if (o.stateFile && std::filesystem::exists(*o.stateFile)) {
        state = zaxsim::LoadState(*o.stateFile);
    } else {
        state = zaxsim::MakeDemoState();
    }
    if (o.password)
        zax::SetText(state.systemInfo.AdminPassword, *o.password);
    return state;
}

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

} // namespace

int main(int argc, char** argv) {
    Options o = ParseOptions(argc, argv);
    zaxsim::SimState state;
    try {
        state = InitialState(o);
    } catch (const std::exception& e) {
        std::cerr << "zaxsim: cannot load state: " << e.what() << "\n";
        return 1;
    }
    std::optional<std::filesystem::path> stateFile;
    if (o.stateFile)
        stateFile = *o.stateFile;
    zaxsim::SimModel model(std::move(state), stateFile);
    if (stateFile && !std::filesystem::exists(*stateFile))
        model.Changed(); // the demo data becomes the file's first content

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
