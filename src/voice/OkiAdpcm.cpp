#include "voice/OkiAdpcm.h"

#include <algorithm>

namespace voice {
namespace {

constexpr std::array<std::int16_t, 49> kStepTable = {
    16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,   45,   50,   55,   60,  66,  73,
    80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209,  230,  253,  279,  307, 337, 371,
    408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};

constexpr std::array<std::int16_t, 8> kIndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

constexpr std::int16_t kDecoderLimit = 2047;
constexpr int kMeanWindow = 49;
constexpr std::int16_t kLastSlot = 48;
constexpr int kWarmUpPairs = 24;

bool IsKnownKind(BlockKind kind) {
    const auto k = static_cast<std::int32_t>(kind);
    return k >= 0 && k <= 3;
}

bool StartsStream(BlockKind kind) {
    return kind == BlockKind::First || kind == BlockKind::Only;
}
bool EndsStream(BlockKind kind) {
    return kind == BlockKind::Last || kind == BlockKind::Only;
}

// Steps 1 and 2 of decoding, which the encoder shares so both sides track the same predictor.
void UpdatePredictor(OkiAdpcmState& st, unsigned code) {
    const int step = kStepTable[static_cast<std::size_t>(st.stepIndex)];
    int delta = step >> 3;
    if (code & 4U)
        delta += step;
    if (code & 2U)
        delta += step >> 1;
    if (code & 1U)
        delta += step >> 2;
    if (code & 8U)
        delta = -delta;
    st.predicted = static_cast<std::int16_t>(st.predicted + delta);
    const int index = st.stepIndex + kIndexAdjust[code & 7U];
    st.stepIndex = static_cast<std::int16_t>(std::clamp(index, 0, 48));
}

// The decoder keeps its output inside 12 bits and pulls it back toward zero by the running
// mean of its history, so a drifting stream cannot settle at an offset.
std::int16_t DecodeCode(OkiAdpcmState& st, unsigned code) {
    UpdatePredictor(st, code);
    const int clamped = std::clamp<int>(st.predicted, -kDecoderLimit, kDecoderLimit);
    const int value = clamped - st.runningSum / kMeanWindow;
    st.predicted = static_cast<std::int16_t>(value);
    const auto slot = static_cast<std::size_t>(st.historySlot);
    st.runningSum += value - st.history[slot];
    st.history[slot] = static_cast<std::int16_t>(value);
    st.historySlot =
        std::min<std::int16_t>(static_cast<std::int16_t>(st.historySlot + 1), kLastSlot);
    // Mean removal can push the value a little past 12 bits; saturate rather than let the
    // 16-bit sample wrap into a full-scale click.
    return static_cast<std::int16_t>(std::clamp(value * 16, -32768, 32767));
}

unsigned EncodeSample(OkiAdpcmState& st, std::int16_t sample) {
    const int x = sample >> 4;
    const int step = kStepTable[static_cast<std::size_t>(st.stepIndex)];
    int d = x - st.predicted;
    unsigned code = 0;
    if (d < 0) {
        d = -d;
        code = 8;
    }
    if (d >= step) {
        code += 4;
        d -= step;
    }
    if (d >= (step >> 1)) {
        code += 2;
        d -= step >> 1;
    }
    if (d >= (step >> 2))
        code += 1;
    UpdatePredictor(st, code);
    return code;
}

void ResetDecoder(OkiAdpcmState& st) {
    st = OkiAdpcmState{};
    st.initialised = 1;
    st.predicted = -1;
    for (int i = 0; i < kWarmUpPairs; ++i) {
        DecodeCode(st, 0);
        DecodeCode(st, 8);
    }
}

void ResetEncoder(OkiAdpcmState& st) {
    st = OkiAdpcmState{};
    st.initialised = 1;
}

// The checks every OKI call makes before it codes; Success means "go on".
template <class In, class Out>
VoiceStatus CheckCall(std::span<In> in, BlockKind kind, const OkiAdpcmState* state,
                      std::span<Out> out, const std::size_t* size) {
    if (state == nullptr || size == nullptr || (in.data() == nullptr && !in.empty()) ||
        (out.data() == nullptr && !out.empty()))
        return VoiceStatus::CodecMissingArgument;
    if (!IsKnownKind(kind))
        return VoiceStatus::CodecBadKind;
    // A final block may be empty (a stream that ended on a block boundary); others may not.
    if (in.empty() && !(kind == BlockKind::Last))
        return VoiceStatus::CodecEmptyInput;
    if (!StartsStream(kind) && state->initialised == 0)
        return VoiceStatus::CodecNotStarted;
    return VoiceStatus::Success;
}

} // namespace

VoiceStatus OkiEncodeBlock(std::span<const std::int16_t> in, BlockKind kind, OkiAdpcmState* state,
                           std::span<std::uint8_t> out, std::size_t* size) {
    if (const auto s = CheckCall(in, kind, state, out, size); s != VoiceStatus::Success)
        return s;
    if (in.size() % 2 != 0 && !EndsStream(kind))
        return VoiceStatus::CodecBadLength;
    VoiceStatus status{};
    if (!ReserveOutput((in.size() + 1) / 2, out.size(), size, &status))
        return status;
    if (StartsStream(kind))
        ResetEncoder(*state);
    std::size_t n = 0;
    for (std::size_t i = 0; i < in.size(); i += 2) {
        const unsigned hi = EncodeSample(*state, in[i]);
        const unsigned lo = EncodeSample(*state, i + 1 < in.size() ? in[i + 1] : std::int16_t{0});
        out[n++] = static_cast<std::uint8_t>((hi << 4) | lo);
    }
    *size = n;
    return VoiceStatus::Success;
}

VoiceStatus OkiDecodeBlock(std::span<const std::uint8_t> in, BlockKind kind, OkiAdpcmState* state,
                           std::span<std::int16_t> out, std::size_t* size) {
    if (const auto s = CheckCall(in, kind, state, out, size); s != VoiceStatus::Success)
        return s;
    VoiceStatus status{};
    if (!ReserveOutput(in.size() * 2, out.size(), size, &status))
        return status;
    if (StartsStream(kind))
        ResetDecoder(*state);
    std::size_t n = 0;
    for (const std::uint8_t byte : in) {
        out[n++] = DecodeCode(*state, byte >> 4U);
        out[n++] = DecodeCode(*state, byte & 15U);
    }
    *size = n;
    return VoiceStatus::Success;
}

} // namespace voice
