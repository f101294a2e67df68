#include "SimRecordings.h"

#include "voice/OkiAdpcm.h"
#include "voice/SbcCodec.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zaxsim {

namespace {

// Runs one block codec over the whole input as a single block, with its
// size query first.
template <class In, class Out, class State, class Codec>
std::vector<Out> CodeWhole(std::span<const In> in, Codec codec) {
    State state{};
    std::size_t need = 0;
    if (codec(in, voice::BlockKind::Only, &state, std::span<Out>{}, &need) !=
            voice::VoiceStatus::Success ||
        need == 0)
        return {};
    std::vector<Out> out(need);
    std::size_t made = 0;
    if (codec(in, voice::BlockKind::Only, &state, std::span<Out>(out), &made) !=
        voice::VoiceStatus::Success)
        return {};
    out.resize(made);
    return out;
}

// A two-pole resonator: one formant of the vocal tract.
class Resonator {
public:
    void Tune(double frequency, double bandwidth) {
        const double r = std::exp(-std::numbers::pi * bandwidth / 8000.0);
        a1_ = 2 * r * std::cos(2 * std::numbers::pi * frequency / 8000.0);
        a2_ = -r * r;
        gain_ = 1 - r;
    }
    double Step(double x) {
        const double y = gain_ * x + a1_ * y1_ + a2_ * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double a1_ = 0, a2_ = 0, gain_ = 0, y1_ = 0, y2_ = 0;
};

struct Vowel {
    double f1, f2;
};
constexpr Vowel kVowels[] = {{730, 1090}, {530, 1840}, {270, 2290}, {570, 840},
                             {300, 870},  {660, 1720}, {490, 1350}, {440, 1020}};

} // namespace

int32_t BytesPerSecondOf(int32_t format) {
    switch (format) {
    case FormatOki:
        return OkiBytesPerSecond;
    case FormatSbc:
        return SbcBytesPerSecond;
    default:
        return 0;
    }
}

Blob EncodeRecording(std::span<const int16_t> samples, int32_t format) {
    if (format == FormatOki)
        return CodeWhole<int16_t, uint8_t, voice::OkiAdpcmState>(samples, voice::OkiEncodeBlock);
    if (format != FormatSbc)
        return {};
    const auto words =
        CodeWhole<int16_t, uint16_t, voice::SbcCodecState>(samples, voice::SbcEncodeBlock);
    Blob bytes;
    bytes.reserve(words.size() * 2);
    for (const uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w & 0xFFU));
        bytes.push_back(static_cast<uint8_t>(w >> 8U));
    }
    return bytes;
}

std::vector<int16_t> DecodeRecording(const Blob& voice, int32_t format) {
    if (format == FormatOki)
        return CodeWhole<uint8_t, int16_t, voice::OkiAdpcmState>(std::span<const uint8_t>(voice),
                                                                 voice::OkiDecodeBlock);
    if (format != FormatSbc)
        return {};
    std::vector<uint16_t> words(voice.size() / 2);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>(voice[2 * i] | (voice[2 * i + 1] << 8U));
    return CodeWhole<uint16_t, int16_t, voice::SbcCodecState>(std::span<const uint16_t>(words),
                                                              voice::SbcDecodeBlock);
}

std::vector<int16_t> SpeechLikeSamples(double seconds, uint32_t seed) {
    const auto total = static_cast<std::size_t>(seconds * 8000);
    std::vector<int16_t> out;
    out.reserve(total);
    uint32_t random = seed * 2654435761U + 1;
    auto next = [&random](uint32_t range) {
        random = random * 1664525U + 1013904223U;
        return (random >> 8U) % range;
    };
    Resonator f1, f2;
    double phase = 0;
    while (out.size() < total) {
        // A syllable of 120-280 ms on one vowel, its pitch gliding down.
        const std::size_t length = 960 + next(1280);
        const Vowel v = kVowels[next(std::size(kVowels))];
        f1.Tune(v.f1, 90);
        f2.Tune(v.f2, 120);
        const double pitchStart = 110 + next(70);
        const double pitchEnd = pitchStart * 0.8;
        for (std::size_t i = 0; i < length && out.size() < total; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(length);
            const double pitch = pitchStart + (pitchEnd - pitchStart) * t;
            phase += pitch / 8000.0;
            phase -= std::floor(phase);
            const double glottal = phase < 0.4 ? std::sin(std::numbers::pi * phase / 0.4) : 0.0;
            const double envelope = std::sin(std::numbers::pi * t);
            const double y = f1.Step(glottal) * 1.0 + f2.Step(glottal) * 0.5;
            out.push_back(
                static_cast<int16_t>(std::clamp(y * envelope * 30000.0, -32000.0, 32000.0)));
        }
        // A pause of 40-200 ms, sometimes longer between words.
        const std::size_t gap = 320 + next(1280) + (next(4) == 0 ? 2400 : 0);
        for (std::size_t i = 0; i < gap && out.size() < total; ++i)
            out.push_back(0);
    }
    return out;
}

void ConvertRecordings(SimState& state, int32_t format) {
    const int32_t from = state.voice.ServerVoiceFormat;
    if (from != format) {
        auto recode = [&](Blob& voice) {
            voice = EncodeRecording(DecodeRecording(voice, from), format);
        };
        for (auto& [key, voice] : state.aaPrompts)
            recode(voice);
        for (auto& [key, voice] : state.srPrompts)
            recode(voice);
        for (auto& [key, voice] : state.nameRecordings)
            recode(voice);
    }
    state.voice.ServerVoiceFormat = format;
    state.voice.BytesPerSecond = BytesPerSecondOf(format);
}

} // namespace zaxsim
