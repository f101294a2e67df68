#pragma once
// What the end-to-end benchmarks share: the simulated server's model served
// over the real RPC runtime on a loopback port, a client bound to it, and a
// Qt application for the dialogs measured.

#include "ManyMailboxes.h"
#include "SimConnection.h"
#include "dcerpc/RpcServer.h"
#include "dcerpc/Socket.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "server/Session.h"
#include "server/ZaxService.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace benchsupport {

struct LoopbackServer {
    explicit LoopbackServer(zaxsim::SimState state)
        : model(std::move(state)), service([this](dcerpc::AssociationId id) {
              return std::make_unique<zaxsim::SimConnection>(model, id);
          }) {
        server.AddInterface(&service);
        const uint16_t port = server.Listen("127.0.0.1", 0);
        server.Start();
        uint32_t status = 0;
        binding = zax::ServerBinding::FromString(
            "ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]", status);
        client = std::make_unique<zax::RpcVoiceMailServer>(*binding);
        session.server = client.get();
    }
    zaxsim::SimModel model;
    zax::ZaxService service;
    dcerpc::RpcServer server;
    std::unique_ptr<zax::ServerBinding> binding;
    std::unique_ptr<zax::RpcVoiceMailServer> client;
    zax::Session session;
};

// main() of a benchmark that opens dialogs: offscreen, with a runtime
// directory of its own.
inline int RunWithQt(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* tmp = std::getenv("TMPDIR");
    std::string runtime =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zax-bench-XXXXXX";
    if (mkdtemp(runtime.data()) != nullptr)
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored); // with whatever Qt put there
    return 0;
}

// The floor under `calls` RPC calls: as many bare TCP round trips of the same
// request and reply sizes, to an echo thread on loopback.
inline void RawRoundTrips(benchmark::State& state, int calls, size_t requestBytes,
                          size_t responseBytes) {
    dcerpc::TcpListener listener;
    const uint16_t port = listener.Listen("127.0.0.1", 0);
    std::thread echo([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> request(requestBytes), reply(responseBytes, 0);
        while (s.RecvExact(request.data(), request.size()) && s.SendAll(reply)) {
        }
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    std::vector<uint8_t> out(requestBytes, 1), in(responseBytes);
    for (auto _ : state) {
        for (int i = 0; i < calls; ++i) {
            c.SendAll(out);
            c.RecvExact(in.data(), in.size());
        }
    }
    c.Close();
    echo.join();
    state.counters["calls"] = calls;
}

// A round trip of given request and reply sizes, `calls` times over.
struct RoundTrips {
    int calls;
    size_t requestBytes;
    size_t responseBytes;
};

// As RawRoundTrips, for a run of calls of several sizes, in the order given.
inline void RawRoundTripMix(benchmark::State& state, const std::vector<RoundTrips>& mix) {
    dcerpc::TcpListener listener;
    const uint16_t port = listener.Listen("127.0.0.1", 0);
    size_t largest = 0;
    int calls = 0;
    for (const RoundTrips& r : mix) {
        largest = std::max({largest, r.requestBytes, r.responseBytes});
        calls += r.calls;
    }
    std::thread echo([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> buffer(largest, 0);
        for (;;)
            for (const RoundTrips& r : mix)
                for (int i = 0; i < r.calls; ++i)
                    if (!s.RecvExact(buffer.data(), r.requestBytes) ||
                        !s.SendAll(std::span<const uint8_t>(buffer.data(), r.responseBytes)))
                        return;
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    std::vector<uint8_t> buffer(largest, 1);
    for (auto _ : state)
        for (const RoundTrips& r : mix)
            for (int i = 0; i < r.calls; ++i) {
                c.SendAll(std::span<const uint8_t>(buffer.data(), r.requestBytes));
                c.RecvExact(buffer.data(), r.responseBytes);
            }
    c.Close();
    echo.join();
    state.counters["calls"] = calls;
}

// Every mailbox entry through FindFirstEntry and batches of FindNextEntries,
// as the lists read them; returns how many came.
inline int EnumerateMailboxes(zax::RpcVoiceMailServer& client, int16_t batchSize) {
    std::vector<zax::EntrySummary> batch(static_cast<size_t>(batchSize));
    zax::EntrySummary first{};
    int entries = client.FindFirstEntry(first, 1, 0) == 0 ? 1 : 0;
    int16_t count = 0;
    do {
        count = 0;
        if (client.FindNextEntries(batch, batchSize, count) != 0)
            break;
        entries += count;
    } while (count == batchSize);
    return entries;
}

} // namespace benchsupport
