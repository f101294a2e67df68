// Opening the speech recognition directory on a server with 10,000
// mailboxes that all have an extended name and an alias (20,000 rows), over
// the real RPC runtime on loopback: one FindFirstEntry and 400
// FindNextEntries of 25 through the retry proxy, then filling and sorting
// the list. Measured beside
//   DirectoryEnumeration  the same 401 calls without any list, and
//   RawRoundTrips         401 raw TCP round trips of the same sizes,
// so the cost of the client and of the list shows against the floor.

#include "LoopbackServer.h"
#include "mailbox/SpeechDirectoryDialog.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kMailboxes = 10000;
constexpr int kBatch = 25;
constexpr int kCalls = 1 + kMailboxes / kBatch; // the last batch holds 24
constexpr size_t kRequestBytes = 24 + 2;
constexpr size_t kResponseBytes = 24 + 4 + kBatch * sizeof(zax::EntrySummary) + 2 + 2;

zaxsim::SimState TenThousandSpokenNames() {
    zaxsim::SimState s = benchsupport::ManyMailboxes(kMailboxes);
    int i = 0;
    for (auto& [number, m] : s.mailboxes) {
        const int shuffled = benchsupport::ShuffledIndex(i++, kMailboxes);
        char text[41];
        std::snprintf(text, sizeof text, "First Name %05d", shuffled);
        zax::SetText(m.record.ExtendedName, text);
        std::snprintf(text, sizeof text, "Alias %05d", shuffled);
        zax::SetText(m.record.Alias, text);
    }
    return s;
}

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(TenThousandSpokenNames()) {}
};

void OpenSpeechDirectory(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        mailbox::SpeechDirectoryDialog dialog(f.session);
        dialog.Load();
        if (dialog.RowCount() != 2 * kMailboxes)
            state.SkipWithError("not every name was listed");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(OpenSpeechDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();

void DirectoryEnumeration(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        if (benchsupport::EnumerateMailboxes(*f.client, kBatch) != kMailboxes)
            state.SkipWithError("enumeration incomplete");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(DirectoryEnumeration)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawRoundTrips(benchmark::State& state) {
    benchsupport::RawRoundTrips(state, kCalls, kRequestBytes, kResponseBytes);
}
BENCHMARK(RawRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
