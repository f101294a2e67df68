// Adding a range of 1,000 subscribers end to end, over the real RPC runtime
// on loopback: one AddMailboxRange, then the mailbox list read afresh and
// filled as the list shows it after the add. Measured beside
//   RawRoundTrips  the same number of raw TCP round trips (the add and every
//                  list batch) with PDUs of the same sizes,
// so the cost of the server's work and of the client shows against the floor.

#include "LoopbackServer.h"
#include "dcerpc/Socket.h"
#include "mailbox/MailboxListDialog.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kRange = 1000;
constexpr int kFirst = 6000;
constexpr int kBatch = 25;
// Request and response bodies with their 24-byte headers: the add carries two
// mailbox records; a list batch returns 25 summaries.
constexpr size_t kAddRequest = 24 + 2 * sizeof(zax::MailboxRecord);
constexpr size_t kAddResponse = 24 + 4;
constexpr size_t kListRequest = 24 + 2;
constexpr size_t kListResponse = 24 + 4 + kBatch * sizeof(zax::EntrySummary) + 4;

zaxsim::SimState Office() {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.capacity.Mailboxes = static_cast<int16_t>(s.mailboxes.size() + 2 * kRange);
    return s;
}

zax::MailboxRecord RangeEnd(int extension) {
    zax::MailboxRecord r{};
    zax::SetText(r.Extension, std::to_string(extension));
    r.Type = static_cast<int16_t>(zax::MailboxType::Subscriber);
    r.ClassOfService = 1;
    r.Directory = 1;
    r.MessageWaiting = 1;
    r.OutdialKind = static_cast<int16_t>(zax::OutdialKind::None);
    return r;
}

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(Office()) {}
};

// The list's calls after the add: FindFirstEntry, then batches of 25.
int ListCalls() {
    return 1 + static_cast<int>(Office().mailboxes.size() + kRange) / kBatch;
}

void AddRangeAndRefreshList(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Fixture>(); // every round adds to the same office
        state.ResumeTiming();
        int16_t added = 0;
        if (f->client->AddMailboxRange(RangeEnd(kFirst), RangeEnd(kFirst + kRange - 1), added) !=
                0 ||
            added != kRange)
            state.SkipWithError("the range was not added whole");
        mailbox::MailboxListDialog list(f->session);
        list.Load();
        if (list.RowCount() != static_cast<int>(f->model.state().mailboxes.size()))
            state.SkipWithError("the list does not hold every mailbox");
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
    state.counters["calls"] = 1 + ListCalls();
}
BENCHMARK(AddRangeAndRefreshList)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawRoundTrips(benchmark::State& state) {
    const int listCalls = ListCalls();
    dcerpc::TcpListener listener;
    const uint16_t port = listener.Listen("127.0.0.1", 0);
    std::thread echo([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> add(kAddRequest), list(kListRequest);
        const std::vector<uint8_t> added(kAddResponse, 0), batch(kListResponse, 0);
        while (s.RecvExact(add.data(), add.size()) && s.SendAll(added)) {
            for (int i = 0; i < listCalls; ++i) {
                if (!s.RecvExact(list.data(), list.size()) || !s.SendAll(batch))
                    return;
            }
        }
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    const std::vector<uint8_t> add(kAddRequest, 1), list(kListRequest, 1);
    std::vector<uint8_t> in(kListResponse);
    for (auto _ : state) {
        c.SendAll(add);
        c.RecvExact(in.data(), kAddResponse);
        for (int i = 0; i < listCalls; ++i) {
            c.SendAll(list);
            c.RecvExact(in.data(), in.size());
        }
    }
    c.Close();
    echo.join();
    state.counters["calls"] = 1 + listCalls;
}
BENCHMARK(RawRoundTrips)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
