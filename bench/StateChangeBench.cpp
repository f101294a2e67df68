// What one change costs the simulated server when it keeps its state on disk:
// ChangeMailbox (a new name, so a group-list rename pass runs too) on a
// server holding 10,000 mailboxes and 100 one-minute recorded names
// (8000 samples of 4 bits a second: 240,000 bytes each, 24 MB in all).
// Each change is one transaction, committed to disk before the reply. The
// database lives in a directory under $TMPDIR, so put that on the disk whose
// durability is to be measured, not on a RAM file system.

#include "ManyMailboxes.h"
#include "SimConnection.h"
#include "StateDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kMailboxes = 10000;
constexpr int kRecordings = 100;
constexpr size_t kOneMinute = 60 * 4000;

zaxsim::SimState LargeOffice() {
    zaxsim::SimState s = benchsupport::ManyMailboxes(kMailboxes);
    for (int i = 0; i < kRecordings; ++i)
        s.nameRecordings[std::to_string(10000 + i * 7)] =
            zaxsim::Blob(kOneMinute, static_cast<uint8_t>(i));
    return s;
}

std::filesystem::path FreshDirectory() {
    std::string dir = (std::filesystem::temp_directory_path() / "zaxsim-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data()))
        throw std::runtime_error("mkdtemp failed");
    return dir;
}

void ChangeMailbox(benchmark::State& state) {
    const auto dir = FreshDirectory();
    const auto file = dir / "state.db";
    {
        zaxsim::StateDatabase::Create(file, LargeOffice());
        zaxsim::SimModel model(zaxsim::StateDatabase::Open(file));
        zaxsim::SimConnection connection(model, 1);
        zax::MailboxRecord r{};
        zax::SetText(r.Number, "15000");
        if (connection.GetMailbox(r) != 0)
            state.SkipWithError("no mailbox 15000");
        int n = 0;
        for (auto _ : state) {
            zax::SetText(r.Name, "RENAMED" + std::to_string(n++ % 2) + ",FIRST");
            if (connection.ChangeMailbox(r, 0) != 0)
                state.SkipWithError("ChangeMailbox failed");
        }
        state.counters["file_MB"] =
            static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(ChangeMailbox)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
