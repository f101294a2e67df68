// Opening the CLID table and the dialing translation table, each of 2,000
// entries, over the real RPC runtime on loopback: one call per entry, then
// filling and sorting the list. Measured beside RawClidRoundTrips and
// RawTranslationRoundTrips, the same number of raw TCP round trips of the
// same sizes, so the cost of the client and of the list shows against the
// floor of the round trips themselves.

#include "LoopbackServer.h"
#include "lists/ClidListDialog.h"
#include "lists/TranslationListDialog.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kEntries = 2000;
constexpr int kCalls = kEntries + 1; // the last call says there are no more
// PDU sizes: the request header alone (GetNext* send nothing but the call);
// the response header, the record(s) and the status.
constexpr size_t kRequestBytes = 24;
constexpr size_t kClidResponseBytes = 24 + sizeof(zax::ClidEntry) + 2;
constexpr size_t kTranslationResponseBytes =
    24 + zax::TranslationInputSize + zax::TranslationOutputSize + 1 + 2;

zaxsim::SimState LargeTables() {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.clid.clear();
    s.translations.clear();
    s.capacity.ClidEntries = 2 * kEntries;
    for (int i = 0; i < kEntries; ++i) {
        // Keys in another order than the server's, so that sorting has work to do.
        const std::string phone = "613555" + std::to_string(1000 + (i * 7919) % kEntries * 3);
        zax::ClidEntry e{};
        zax::SetText(e.PhoneNumber, phone);
        e.TargetType = static_cast<int16_t>(1 + i % 2);
        if (e.TargetType == 1)
            e.GreetingTable = static_cast<int16_t>(1 + i % 4);
        else
            zax::SetText(e.Extension, "2001");
        s.clid.emplace(phone, e);
        s.translations.emplace(std::to_string(100000 + i), "9" + std::to_string(100000 + i));
    }
    return s;
}

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(LargeTables()) { session.systemInfo = model.state().systemInfo; }
};

template <class List> void OpenList(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        List list(f.session);
        list.Load();
        if (list.RowCount() != kEntries)
            state.SkipWithError("not every entry was listed");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(OpenList<lists::ClidListDialog>)
    ->Name("OpenClidTable")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(OpenList<lists::TranslationListDialog>)
    ->Name("OpenTranslationTable")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void RawRoundTrips(benchmark::State& state, size_t responseBytes) {
    benchsupport::RawRoundTrips(state, kCalls, kRequestBytes, responseBytes);
}
BENCHMARK_CAPTURE(RawRoundTrips, Clid, kClidResponseBytes)
    ->Name("RawClidRoundTrips")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RawRoundTrips, Translation, kTranslationResponseBytes)
    ->Name("RawTranslationRoundTrips")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
