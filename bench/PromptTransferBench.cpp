// A 60-second prompt (240,000 bytes of OKI) uploaded and downloaded end to
// end, over the real RPC runtime on loopback, in the server's own format so
// that only the transfer is measured: the temporary file, the open, 24 chunks
// of at most 10,240 bytes and the close. Measured beside
//   RawChunkTransfer  the same round trips over a raw TCP socket with PDUs of
//                     the same sizes, the floor the transfer cannot go below;
// and, for scale, the upload of the same minute from a wave (with its conversion).

#include "LoopbackServer.h"
#include "dcerpc/Socket.h"
#include "prompts/VoiceItems.h"
#include "server/RetryProxy.h"
#include "voice/WaveFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kPromptBytes = 60 * 4000;
constexpr std::size_t kChunk = 10240;
constexpr std::size_t kChunks = kPromptBytes / kChunk + 1; // the last one partial
// Header (24), context handle (20), the chunk's length and array counts.
constexpr std::size_t kWriteRequest = 24 + 20 + 4 + 4 + kChunk;
constexpr std::size_t kWriteResponse = 24 + 20 + 4;
constexpr std::size_t kReadRequest = 24 + 20 + 4;
constexpr std::size_t kReadResponse = 24 + 20 + 4 + 12 + kChunk + 4;
constexpr std::size_t kSmall = 24 + 28; // open and close, either way

struct Fixture : benchsupport::LoopbackServer {
    Fixture() : LoopbackServer(zaxsim::MakeDemoState()), proxy(*client) {
        parameters = model.state().voice;
        std::vector<std::uint8_t> bytes(kPromptBytes);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 37);
        oki = dir.filePath("minute.oki");
        std::ofstream(oki.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        // A minute of linear samples as a wave.
        std::vector<char> pcm(60 * 16000);
        for (std::size_t i = 0; i < pcm.size(); ++i)
            pcm[i] = static_cast<char>((i * 13) & 0x3F);
        const std::string linear = dir.filePath("minute.pcm").toStdString();
        std::ofstream(linear, std::ios::binary)
            .write(pcm.data(), static_cast<std::streamsize>(pcm.size()));
        wave = dir.filePath("minute.wav");
        voice::PcmToWave(linear.c_str(), wave.toStdString().c_str());
        setenv("TMPDIR", dir.path().toLocal8Bit().constData(), 1);
    }
    prompts::AaPromptItem Item() {
        return prompts::AaPromptItem(&parameters, 3, zax::AaPromptKind::Primary, {&proxy, nullptr});
    }
    zax::RetryProxy proxy;
    zax::VoiceParameters parameters{};
    QTemporaryDir dir;
    QString oki, wave;
};

void UploadMinute(benchmark::State& state) {
    Fixture f;
    prompts::AaPromptItem item = f.Item();
    for (auto _ : state)
        if (item.Upload(f.oki, voice::VoiceFileFormat::RawOki) != 0)
            state.SkipWithError("upload failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kPromptBytes));
}
BENCHMARK(UploadMinute)->Unit(benchmark::kMillisecond)->UseRealTime();

void DownloadMinute(benchmark::State& state) {
    Fixture f;
    prompts::AaPromptItem item = f.Item();
    if (item.Upload(f.oki, voice::VoiceFileFormat::RawOki) != 0)
        state.SkipWithError("upload failed");
    const QString out = f.dir.filePath("back.oki");
    for (auto _ : state) {
        // Rewriting the same file each round would measure the file system's
        // flush of a truncated file (ext4 does one on close), not the transfer.
        state.PauseTiming();
        QFile::remove(out);
        state.ResumeTiming();
        if (item.Download(out, voice::VoiceFileFormat::RawOki) != 0)
            state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kPromptBytes));
}
BENCHMARK(DownloadMinute)->Unit(benchmark::kMillisecond)->UseRealTime();

void UploadMinuteFromWave(benchmark::State& state) {
    Fixture f;
    prompts::AaPromptItem item = f.Item();
    for (auto _ : state)
        if (item.Upload(f.wave, voice::VoiceFileFormat::Wave) != 0)
            state.SkipWithError("upload failed");
}
BENCHMARK(UploadMinuteFromWave)->Unit(benchmark::kMillisecond)->UseRealTime();

// One way of the minute (state.range(0): 0 up, 1 down) as bare round trips.
void RawChunkTransfer(benchmark::State& state) {
    const bool down = state.range(0) == 1;
    const std::size_t request = down ? kReadRequest : kWriteRequest;
    const std::size_t response = down ? kReadResponse : kWriteResponse;
    dcerpc::TcpListener listener;
    const uint16_t port = listener.Listen("127.0.0.1", 0);
    std::thread peer([&] {
        dcerpc::TcpSocket s = listener.Accept();
        std::vector<uint8_t> small(kSmall), in(request);
        const std::vector<uint8_t> out(response, 0), ack(kSmall, 0);
        for (;;) {
            if (!s.RecvExact(small.data(), small.size()) || !s.SendAll(ack))
                return;
            for (std::size_t i = 0; i < kChunks; ++i)
                if (!s.RecvExact(in.data(), in.size()) || !s.SendAll(out))
                    return;
            if (!s.RecvExact(small.data(), small.size()) || !s.SendAll(ack))
                return;
        }
    });
    dcerpc::TcpSocket c;
    c.Connect("127.0.0.1", port);
    const std::vector<uint8_t> small(kSmall, 1), out(request, 1);
    std::vector<uint8_t> in(std::max(response, kSmall));
    for (auto _ : state) {
        c.SendAll(small);
        c.RecvExact(in.data(), kSmall);
        for (std::size_t i = 0; i < kChunks; ++i) {
            c.SendAll(out);
            c.RecvExact(in.data(), response);
        }
        c.SendAll(small);
        c.RecvExact(in.data(), kSmall);
    }
    c.Close();
    peer.join();
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kPromptBytes));
}
BENCHMARK(RawChunkTransfer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return benchsupport::RunWithQt(argc, argv);
}
