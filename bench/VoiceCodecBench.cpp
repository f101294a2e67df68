// Codec speed in multiples of real time, beside SoX converting the same audio to and from vox.
//   voice_codec_bench [--benchmark_filter=...]
// The "xRealTime" counter is seconds of 8000 Hz audio coded per second of one core.
#include "voice/CodecFiles.h"
#include "voice/OkiAdpcm.h"
#include "voice/SbcCodec.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace voice;

constexpr std::size_t kSeconds = 60;
constexpr std::size_t kSamples = kSeconds * 8000;
constexpr const char* kSox = "/usr/bin/sox";

// Speech-band material: a few gliding partials under a syllable envelope.
const std::vector<std::int16_t>& Audio() {
    static const std::vector<std::int16_t> audio = [] {
        std::vector<std::int16_t> v(kSamples);
        for (std::size_t i = 0; i < kSamples; ++i) {
            const double t = double(i) / 8000.0;
            const double f0 = 150.0 + 30.0 * std::sin(2 * std::numbers::pi * 1.3 * t);
            double s = 0;
            for (int k = 2; k < 12; ++k)
                s += std::sin(2 * std::numbers::pi * f0 * k * t) / (k * k * 0.1 + 1);
            v[i] = static_cast<std::int16_t>(
                std::lround(4000.0 * s * (0.55 + 0.45 * std::sin(2 * std::numbers::pi * 4 * t))));
        }
        return v;
    }();
    return audio;
}

void ReportRealTime(benchmark::State& state) {
    state.counters["xRealTime"] = benchmark::Counter(double(kSeconds) * double(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

// The file converters' block pattern: a 240-sample first block, then 1024-sample blocks.
template <class Out, class State, class Codec>
std::vector<Out> EncodeInBlocks(Codec codec, State& st) {
    const auto& audio = Audio();
    std::vector<Out> out;
    std::vector<Out> block(1024);
    for (std::size_t at = 0; at < audio.size();) {
        const std::size_t n = std::min<std::size_t>(at == 0 ? 240 : 1024, audio.size() - at);
        const BlockKind kind = at == 0                  ? BlockKind::First
                               : at + n == audio.size() ? BlockKind::Last
                                                        : BlockKind::Middle;
        std::size_t made = 0;
        codec(std::span(audio).subspan(at, n), kind, &st, std::span(block), &made);
        out.insert(out.end(), block.begin(), block.begin() + long(made));
        at += n;
    }
    return out;
}

template <class In, class State, class Codec>
std::size_t DecodeInBlocks(Codec codec, const std::vector<In>& coded, std::size_t blockUnits,
                           State& st, std::vector<std::int16_t>& out) {
    std::size_t total = 0;
    for (std::size_t at = 0; at < coded.size(); at += blockUnits) {
        const std::size_t n = std::min(blockUnits, coded.size() - at);
        const bool last = at + n == coded.size();
        const BlockKind kind = at == 0 ? (last ? BlockKind::Only : BlockKind::First)
                                       : (last ? BlockKind::Last : BlockKind::Middle);
        std::size_t made = 0;
        codec(std::span(coded).subspan(at, n), kind, &st, std::span(out), &made);
        total += made;
    }
    return total;
}

void OkiEncode(benchmark::State& state) {
    for (auto _ : state) {
        OkiAdpcmState st;
        benchmark::DoNotOptimize(EncodeInBlocks<std::uint8_t>(OkiEncodeBlock, st).data());
    }
    ReportRealTime(state);
}

void OkiDecode(benchmark::State& state) {
    OkiAdpcmState enc;
    const auto coded = EncodeInBlocks<std::uint8_t>(OkiEncodeBlock, enc);
    std::vector<std::int16_t> out(40320);
    for (auto _ : state) {
        OkiAdpcmState st;
        benchmark::DoNotOptimize(DecodeInBlocks(OkiDecodeBlock, coded, 10080, st, out));
    }
    ReportRealTime(state);
}

void SbcEncode(benchmark::State& state) {
    for (auto _ : state) {
        auto st = std::make_unique<SbcCodecState>();
        benchmark::DoNotOptimize(EncodeInBlocks<std::uint16_t>(SbcEncodeBlock, *st).data());
    }
    ReportRealTime(state);
}

void SbcDecode(benchmark::State& state) {
    auto enc = std::make_unique<SbcCodecState>();
    const auto coded = EncodeInBlocks<std::uint16_t>(SbcEncodeBlock, *enc);
    std::vector<std::int16_t> out(40320);
    for (auto _ : state) {
        auto st = std::make_unique<SbcCodecState>();
        benchmark::DoNotOptimize(DecodeInBlocks(SbcDecodeBlock, coded, 5040, *st, out));
    }
    ReportRealTime(state);
}

// ---- file to file, beside SoX -------------------------------------------------------------

std::filesystem::path BenchDir() {
    static const std::filesystem::path dir = [] {
        std::string t = (std::filesystem::temp_directory_path() / "zaxvoicebenchXXXXXX").string();
        std::filesystem::path d = mkdtemp(t.data());
        FILE* f = std::fopen((d / "in.pcm").c_str(), "wb");
        for (const std::int16_t s : Audio()) {
            const auto u = static_cast<std::uint16_t>(s);
            std::fputc(u & 0xFF, f);
            std::fputc(u >> 8, f);
        }
        std::fclose(f);
        PcmToOki((d / "in.pcm").c_str(), (d / "in.oki").c_str());
        PcmToSbc((d / "in.pcm").c_str(), (d / "in.sbc").c_str());
        return d;
    }();
    return dir;
}

void RunOrSkip(benchmark::State& state, const std::string& command) {
    if (!std::filesystem::exists(kSox)) {
        state.SkipWithError("sox is not installed");
        return;
    }
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("sox failed");
    ReportRealTime(state);
}

void FileOkiEncode(benchmark::State& state) {
    const auto d = BenchDir();
    for (auto _ : state)
        PcmToOki((d / "in.pcm").c_str(), (d / "out.oki").c_str());
    ReportRealTime(state);
}

void FileOkiDecode(benchmark::State& state) {
    const auto d = BenchDir();
    for (auto _ : state)
        OkiToPcm((d / "in.oki").c_str(), (d / "out.pcm").c_str());
    ReportRealTime(state);
}

void FileSbcEncode(benchmark::State& state) {
    const auto d = BenchDir();
    for (auto _ : state)
        PcmToSbc((d / "in.pcm").c_str(), (d / "out.sbc").c_str());
    ReportRealTime(state);
}

void FileSbcDecode(benchmark::State& state) {
    const auto d = BenchDir();
    for (auto _ : state)
        SbcToPcm((d / "in.sbc").c_str(), (d / "out.pcm").c_str());
    ReportRealTime(state);
}

void SoxVoxEncode(benchmark::State& state) {
    const auto d = BenchDir();
    RunOrSkip(state, std::string(kSox) + " -t raw -r 8000 -e signed-integer -b 16 -c 1 " +
                         (d / "in.pcm").string() + " -t vox -r 8000 " + (d / "sox.vox").string());
}

void SoxVoxDecode(benchmark::State& state) {
    const auto d = BenchDir();
    RunOrSkip(state, std::string(kSox) + " -t vox -r 8000 " + (d / "in.oki").string() +
                         " -t raw -e signed-integer -b 16 " + (d / "sox.pcm").string());
}

// ---- whole zaxvoice runs on ten minutes of audio ------------------------------------------
// Wall-clock time of the program, start-up and file reading and writing
// included, as an administrator converting a long recording sees it.

constexpr std::size_t kLongSeconds = 600;

std::filesystem::path LongAudioDir() {
    static const std::filesystem::path dir = [] {
        const auto d = BenchDir();
        FILE* f = std::fopen((d / "long.pcm").c_str(), "wb");
        for (std::size_t minute = 0; minute < kLongSeconds / kSeconds; ++minute)
            for (const std::int16_t s : Audio()) {
                const auto u = static_cast<std::uint16_t>(s);
                std::fputc(u & 0xFF, f);
                std::fputc(u >> 8, f);
            }
        std::fclose(f);
        PcmToSbc((d / "long.pcm").c_str(), (d / "long.sbc").c_str());
        return d;
    }();
    return dir;
}

void RunZaxvoice(benchmark::State& state, const char* in, const char* out) {
    const auto d = LongAudioDir();
    const std::string command =
        std::string(ZAXVOICE_PATH) + " " + (d / in).string() + " " + (d / out).string();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("zaxvoice failed");
    state.counters["xRealTime"] = benchmark::Counter(
        double(kLongSeconds) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void ZaxvoiceSbcEncodeRun(benchmark::State& state) {
    RunZaxvoice(state, "long.pcm", "long-out.sbc");
}

void ZaxvoiceSbcDecodeRun(benchmark::State& state) {
    RunZaxvoice(state, "long.sbc", "long-out.pcm");
}

} // namespace

BENCHMARK(ZaxvoiceSbcEncodeRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ZaxvoiceSbcDecodeRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OkiEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(OkiDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(SbcEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(SbcDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(FileOkiEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(FileOkiDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(FileSbcEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(FileSbcDecode)->Unit(benchmark::kMillisecond);
// SoX runs as a separate process: its time is wall-clock, start-up included.
BENCHMARK(SoxVoxEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SoxVoxDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
