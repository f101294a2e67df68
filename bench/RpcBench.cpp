// Cost of a call through the RPC runtime over loopback, beside a raw TCP
// round trip of the same sizes measured in the same run:
//   RawPingPong/26/32     vs  RpcSmallCall   (GetLine: 2-byte request, 8-byte reply)
//   RawPingPong/10312/28  vs  RpcVoiceChunk  (WriteAaPrompt with a 10240-byte chunk)

#include "UnservedServer.h"
#include "dcerpc/RpcServer.h"
#include "dcerpc/Socket.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "server/ZaxService.h"

#include <benchmark/benchmark.h>

#include <thread>

namespace {

class BenchServer : public zaxsim::UnservedServer {
public:
    zax::ServerStatus GetLine(int16_t line, uint8_t& answer, int16_t& table,
                              int16_t& rings) override {
        answer = 1;
        table = static_cast<int16_t>(line % 4);
        rings = 3;
        return 0;
    }
    uint32_t WriteAaPrompt(zax::TransferHandle&, int32_t count, std::span<const uint8_t>) override {
        return static_cast<uint32_t>(count) - 10240u;
    }
};

struct RpcFixture {
    RpcFixture() : service([](dcerpc::AssociationId) { return std::make_unique<BenchServer>(); }) {
        server.AddInterface(&service);
        port = server.Listen("127.0.0.1", 0);
        server.Start();
        uint32_t status = 0;
        binding = zax::ServerBinding::FromString(
            "ncacn_ip_tcp:127.0.0.1[" + std::to_string(port) + "]", status);
        client = std::make_unique<zax::RpcVoiceMailServer>(*binding);
    }
    zax::ZaxService service;
    dcerpc::RpcServer server;
    uint16_t port = 0;
    std::unique_ptr<zax::ServerBinding> binding;
    std::unique_ptr<zax::RpcVoiceMailServer> client;
};

void RpcSmallCall(benchmark::State& state) {
    RpcFixture f;
    uint8_t answer;
    int16_t table, rings;
    for (auto _ : state) {
        auto s = f.client->GetLine(2, answer, table, rings);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(RpcSmallCall)->UseRealTime();

void RpcVoiceChunk(benchmark::State& state) {
    RpcFixture f;
    std::vector<uint8_t> chunk(10240, 0x55);
    zax::TransferHandle h;
    for (auto _ : state) {
        auto s = f.client->WriteAaPrompt(h, 10240, chunk);
        benchmark::DoNotOptimize(s);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 10240);
}
BENCHMARK(RpcVoiceChunk)->UseRealTime();

// The floor: a client sends N bytes and the server answers with M, over one
// TCP connection; the sizes are those of the RPC calls' PDUs.
void RawPingPong(benchmark::State& state) {
    const size_t n = static_cast<size_t>(state.range(0));
    const size_t m = static_cast<size_t>(state.range(1));
    dcerpc::TcpListener listener;
    uint16_t port = listener.Listen("127.0.0.1", 0);
    std::thread echo([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> buf(n), reply(m, 0);
        while (s.RecvExact(buf.data(), n) && s.SendAll(reply)) {
        }
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    std::vector<uint8_t> out(n, 1), in(m);
    for (auto _ : state) {
        c.SendAll(out);
        c.RecvExact(in.data(), in.size());
    }
    c.Close();
    echo.join();
}
BENCHMARK(RawPingPong)->Args({26, 32})->Args({10264 + 48, 28})->UseRealTime();

} // namespace

BENCHMARK_MAIN();
