// Opening the mailbox list on a server with 10,000 mailboxes, over the real
// RPC runtime on loopback: one FindFirstEntry and 400 FindNextEntries of 25,
// then filling and sorting the list view (OpenAndShowMailboxList also lays
// the dialog out and paints it once, as opening it for the administrator
// does). Measured beside
//   MailboxEnumeration  the same 401 calls without any list, and
//   RawRoundTrips       401 raw TCP round trips of the same sizes,
// so the cost of the client and of the list shows against the floor.

#include "LoopbackServer.h"
#include "mailbox/MailboxListDialog.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kMailboxes = 10000;
constexpr int kBatch = 25;
constexpr int kCalls = 1 + kMailboxes / kBatch; // the last batch holds 24
// PDU sizes of one FindNextEntries: request header and max; response header,
// conformant array of 25 summaries, count and status.
constexpr size_t kRequestBytes = 24 + 2;
constexpr size_t kResponseBytes = 24 + 4 + kBatch * sizeof(zax::EntrySummary) + 2 + 2;

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(EveryType()) {}
    // Every type code, so that the list has each type's text to show.
    static zaxsim::SimState EveryType() {
        zaxsim::SimState s = benchsupport::ManyMailboxes(kMailboxes);
        int i = 0;
        for (auto& [number, m] : s.mailboxes)
            m.record.Type = static_cast<int16_t>(i++ % 11);
        return s;
    }
};

void OpenMailboxList(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        mailbox::MailboxListDialog dialog(f.session);
        dialog.Load();
        if (dialog.RowCount() != kMailboxes)
            state.SkipWithError("not every mailbox was listed");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(OpenMailboxList)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenAndShowMailboxList(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        mailbox::MailboxListDialog dialog(f.session);
        dialog.Load();
        dialog.show();
        QApplication::processEvents();
        if (dialog.RowCount() != kMailboxes)
            state.SkipWithError("not every mailbox was listed");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(OpenAndShowMailboxList)->Unit(benchmark::kMillisecond)->UseRealTime();

void MailboxEnumeration(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        if (benchsupport::EnumerateMailboxes(*f.client, kBatch) != kMailboxes)
            state.SkipWithError("enumeration incomplete");
    }
    state.counters["calls"] = kCalls;
}
BENCHMARK(MailboxEnumeration)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawRoundTrips(benchmark::State& state) {
    benchsupport::RawRoundTrips(state, kCalls, kRequestBytes, kResponseBytes);
}
BENCHMARK(RawRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
