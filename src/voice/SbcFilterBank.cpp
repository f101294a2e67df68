#include "voice/SbcFilterBank.h"

#include <algorithm>

namespace voice {
namespace {

// Prototype low-pass filter, symmetric, gain 65536 at DC.
constexpr std::array<std::int32_t, 32> kH = {148,   -260,  -130,  536,   56,    -932,  136,   1488,
                                             -522,  -2292, 1276,  3592,  -2918, -6510, 8714,  30388,
                                             30388, 8714,  -6510, -2918, 3592,  1276,  -2292, -522,
                                             1488,  136,   -932,  56,    536,   -130,  -260,  148};

constexpr bool IsSymmetric(const std::array<std::int32_t, 32>& h) {
    for (std::size_t k = 0; k < h.size(); ++k)
        if (h[k] != h[h.size() - 1 - k])
            return false;
    return true;
}
// A mistyped tap breaks the symmetry that perfect reconstruction relies on.
static_assert(IsSymmetric(kH));

constexpr std::size_t kLevels = 4;

std::int16_t Sat16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

// Index of the delay line of analysis channel c at level l (levels have 1, 2, 4, 8 channels).
std::size_t AnalysisLine(std::size_t level, std::size_t c) {
    return (std::size_t{1} << level) - 1 + c;
}

// Index of the synthesis pair p at merge step k (steps have 8, 4, 2, 1 pairs).
std::size_t SynthesisLine(std::size_t step, std::size_t p) {
    constexpr std::array<std::size_t, 4> kBase = {0, 8, 12, 14};
    return kBase[step] + p;
}

// Splits one channel of 2*half samples into its low and high children.
void SplitChannel(std::array<std::int16_t, 32>& line, std::int32_t& pos, const std::int16_t* x,
                  std::size_t half, std::int16_t* low, std::int16_t* high) {
    auto p = static_cast<std::uint32_t>(pos);
    for (std::size_t m = 0; m < half; ++m) {
        p = (p - 1) & 31U;
        line[p] = x[2 * m];
        p = (p - 1) & 31U;
        line[p] = x[2 * m + 1];
        // The newest entry is line[p]; tap k reads the k-th older one.
        std::int32_t even = 0;
        std::int32_t odd = 0;
        for (std::uint32_t k = 0; k < 32; k += 2) {
            even += kH[k] * line[(p + k) & 31U];
            odd += kH[k + 1] * line[(p + k + 1) & 31U];
        }
        const std::int32_t e = even >> 16;
        const std::int32_t o = odd >> 16;
        low[m] = static_cast<std::int16_t>(o + e);
        high[m] = static_cast<std::int16_t>(e - o);
    }
    pos = static_cast<std::int32_t>(p);
}

// Merges a low and a high channel of `half` samples each into 2*half samples.
void MergePair(SbcCodecState& st, std::size_t lineIndex, const std::int16_t* low,
               const std::int16_t* high, std::size_t half, std::int16_t* y) {
    auto& lineA = st.synthesisLineA[lineIndex];
    auto& lineB = st.synthesisLineB[lineIndex];
    auto pa = static_cast<std::uint32_t>(st.synthesisPosA[lineIndex]);
    auto pb = static_cast<std::uint32_t>(st.synthesisPosB[lineIndex]);
    for (std::size_t m = 0; m < half; ++m) {
        pa = (pa - 1) & 15U;
        pb = (pb - 1) & 15U;
        lineA[pa] = Sat16(2 * (low[m] - high[m]));
        lineB[pb] = Sat16(2 * (low[m] + high[m]));
        std::int32_t sumA = 0;
        std::int32_t sumB = 0;
        for (std::uint32_t j = 0; j < 16; ++j) {
            sumA += kH[2 * j] * lineA[(pa + j) & 15U];
            sumB += kH[2 * j + 1] * lineB[(pb + j) & 15U];
        }
        y[2 * m] = static_cast<std::int16_t>(sumA >> 16);
        y[2 * m + 1] = static_cast<std::int16_t>(sumB >> 16);
    }
    st.synthesisPosA[lineIndex] = static_cast<std::int32_t>(pa);
    st.synthesisPosB[lineIndex] = static_cast<std::int32_t>(pb);
}

} // namespace

void SbcAnalyse(SbcCodecState& state, const std::int16_t* samples, std::size_t n,
                std::int16_t* bands) {
    std::array<std::int16_t, kSbcFrameSamples> work{};
    const std::int16_t* in = samples;
    for (std::size_t level = 0; level < kLevels; ++level) {
        const std::size_t channels = std::size_t{1} << level;
        const std::size_t length = n / channels;
        std::int16_t* out = (level % 2 == 0) ? work.data() : bands;
        for (std::size_t c = 0; c < channels; ++c) {
            const std::size_t line = AnalysisLine(level, c);
            SplitChannel(state.analysisLine[line], state.analysisPos[line], in + c * length,
                         length / 2, out + c * length, out + c * length + length / 2);
        }
        in = out;
    }
}

void SbcSynthesise(SbcCodecState& state, const std::int16_t* bands, std::int16_t* samples) {
    std::array<std::int16_t, kSbcFrameSamples> work{};
    const std::int16_t* in = bands;
    for (std::size_t step = 0; step < kLevels; ++step) {
        const std::size_t pairs = kSbcBands >> (step + 1);
        const std::size_t half = kSbcFrameSamples / (2 * pairs);
        std::int16_t* out = (step == kLevels - 1 || step % 2 == 1) ? samples : work.data();
        for (std::size_t p = 0; p < pairs; ++p) {
            const std::int16_t* block = in + p * 2 * half;
            MergePair(state, SynthesisLine(step, p), block, block + half, half, out + p * 2 * half);
        }
        in = out;
    }
}

} // namespace voice
