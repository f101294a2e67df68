// Fetching a report of 1 MiB end to end, over the real RPC runtime on
// loopback: the request (the server builds the text from its state), the
// size, the text in one call, and the report file written. Measured beside
//   RawTransfer  the same three round trips over a raw TCP socket, the last
//                answer carrying as many bytes as the report,
//   BuildText    the server's share: building the text from its state alone,
// so the cost of building, marshalling and writing the report shows against
// the floor of moving its bytes.

#include "LoopbackServer.h"
#include "dcerpc/Socket.h"
#include "reports/RunReport.h"
#include "ui/UiHooks.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t kTarget = size_t{1} << 20; // the most one GetReportText may carry
constexpr auto kReport = reports::ReportNumber::MailboxInformation;

// The demo office with as many more subscribers as make its mailbox
// information report as large as it may be without passing 1 MiB.
zaxsim::SimState Office() {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    const auto add = [&s](int i) {
        zaxsim::Mailbox m;
        const std::string number = std::to_string(1000000 + i).substr(1);
        zax::SetText(m.record.Number, number);
        zax::SetText(m.record.Name, "SUBSCRIBER," + number);
        zax::SetText(m.record.Extension, number);
        m.record.ClassOfService = 1;
        s.mailboxes.emplace(number, m);
    };
    const auto size = [&s] {
        return zaxsim::BuildReportText(s, static_cast<int16_t>(kReport), "").size();
    };
    const size_t perLine = zaxsim::BuildReportText(s, 2, "").size() / s.mailboxes.size();
    // Half the room left each round, so the last line cannot overshoot far.
    int next = 0;
    for (size_t now = size(); now + perLine <= kTarget; now = size())
        for (size_t i = (kTarget - now) / perLine / 2 + 1; i > 0; --i)
            add(next++);
    while (size() > kTarget)
        s.mailboxes.erase(std::prev(s.mailboxes.end()));
    s.capacity.Mailboxes = static_cast<int16_t>(std::min<size_t>(s.mailboxes.size(), 32767));
    return s;
}

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(Office()) {
        session.systemInfo.PrintDestination = zax::PrintDisplayLocally;
        zax::SetText(session.systemInfo.DefaultEditor, "viewer");
    }
};

void FetchReport(benchmark::State& state) {
    Fixture f;
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ui::Hooks().startProcess = [](const QStringList&, bool) { return 0; }; // no editor
    size_t bytes = 0;
    for (auto _ : state) {
        if (reports::RunReport(f.session, kReport) != reports::ReportOutcome::Shown)
            state.SkipWithError("the report was not fetched");
        bytes = static_cast<size_t>(QFileInfo("REPORT.002").size());
    }
    QDir::setCurrent(previous);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(FetchReport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BuildText(benchmark::State& state) {
    const zaxsim::SimState office = Office();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text =
            zaxsim::BuildReportText(office, static_cast<int16_t>(kReport), "", 1);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BuildText)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawTransfer(benchmark::State& state) {
    // The three calls' requests and answers with their 24-byte headers; the
    // text's answer carries its length, the array's three counts and the status.
    const size_t text = zaxsim::BuildReportText(Office(), static_cast<int16_t>(kReport), "").size();
    const std::vector<size_t> requests = {24 + 12, 24, 24 + 4};
    const std::vector<size_t> answers = {24 + 2, 24 + 4 + 2, 24 + 4 + 12 + text + 2};
    dcerpc::TcpListener listener;
    const uint16_t port = listener.Listen("127.0.0.1", 0);
    std::thread echo([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> in(64);
        std::vector<std::vector<uint8_t>> out;
        for (size_t n : answers)
            out.emplace_back(n, 0);
        for (;;)
            for (size_t i = 0; i < requests.size(); ++i)
                if (!s.RecvExact(in.data(), requests[i]) || !s.SendAll(out[i]))
                    return;
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    std::vector<uint8_t> out(64, 1);
    std::vector<uint8_t> in(answers.back());
    for (auto _ : state)
        for (size_t i = 0; i < requests.size(); ++i) {
            c.SendAll(std::span<const uint8_t>(out.data(), requests[i]));
            c.RecvExact(in.data(), answers[i]);
        }
    c.Close();
    echo.join();
    state.counters["bytes"] = static_cast<double>(text);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text));
}
BENCHMARK(RawTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
