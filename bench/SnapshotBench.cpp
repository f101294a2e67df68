// A snapshot of a server with 10,000 mailboxes, over the real RPC runtime on
// loopback: the parameter records and tables (a few dozen calls), one
// FindFirstEntry and 400 FindNextEntries of 25, then one GetMailbox per
// mailbox, as the interface offers no batch read of whole records. Measured
// beside RawSnapshotRoundTrips, the same number of bare TCP round trips of
// the same sizes, so what the client adds shows against the floor.

#include "LoopbackServer.h"
#include "ctl/Restore.h"
#include "ctl/Snapshot.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kMailboxes = 10000;
constexpr int kBatch = 25;
constexpr int kOtherCalls = 40; // parameters, 16 classes, 4 greeting tables, lines, lists

zax::SystemInfo InfoOf(benchsupport::LoopbackServer& f, benchmark::State& state) {
    zax::SystemInfo info{};
    if (f.client->GetSystemInfo(info) != 0)
        state.SkipWithError("no system information");
    return info;
}

void Snapshot(benchmark::State& state) {
    benchsupport::LoopbackServer f(benchsupport::ManyMailboxes(kMailboxes));
    const zax::SystemInfo info = InfoOf(f, state);
    for (auto _ : state) {
        const ctl::Json snapshot = ctl::TakeSnapshot(*f.client, info);
        if (snapshot["mailboxes"].size() != kMailboxes)
            state.SkipWithError("not every mailbox was read");
    }
    state.counters["calls"] = kOtherCalls + 1 + kMailboxes / kBatch + kMailboxes;
}
BENCHMARK(Snapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

// A restore of the snapshot just taken: the server is read again and
// compared, and nothing is left to write.
void RestoreWithNothingToDo(benchmark::State& state) {
    benchsupport::LoopbackServer f(benchsupport::ManyMailboxes(kMailboxes));
    const zax::SystemInfo info = InfoOf(f, state);
    const ctl::Json wanted = ctl::TakeSnapshot(*f.client, info);
    for (auto _ : state) {
        const ctl::Json current = ctl::TakeSnapshot(*f.client, info);
        if (!ctl::PlanRestore(*f.client, current, wanted).empty())
            state.SkipWithError("a restore of the same snapshot planned writes");
    }
}
BENCHMARK(RestoreWithNothingToDo)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawSnapshotRoundTrips(benchmark::State& state) {
    constexpr size_t header = 24;
    const size_t record = sizeof(zax::MailboxRecord);
    benchsupport::RawRoundTripMix(state, {{kOtherCalls, header + 4, header + 200},
                                          {1 + kMailboxes / kBatch, header + 2,
                                           header + 4 + kBatch * sizeof(zax::EntrySummary) + 4},
                                          {kMailboxes, header + record, header + record + 2}});
}
BENCHMARK(RawSnapshotRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
