#pragma once
// SBC, the server's own sub-band coder: frames of 256 samples in 36 16-bit words, a four-level
// tree of two-band filters, 12 of its 16 sub-bands quantised with 2 or 4 bits per sample.
// Block functions over memory; the caller owns the state.

#include "voice/VoiceTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace voice {

inline constexpr std::size_t kSbcFrameSamples = 256;
inline constexpr std::size_t kSbcFrameWords = 36;
inline constexpr std::size_t kSbcPrimingSamples = 240;
inline constexpr std::size_t kSbcDelaySamples = 225;

struct SbcCodecState {
    // Analysis bank: one 32-entry line per (level, channel); levels 0-3 hold 1, 2, 4, 8 lines.
    std::array<std::array<std::int16_t, 32>, 15> analysisLine{};
    std::array<std::int32_t, 15> analysisPos{};
    // Synthesis bank: two 16-entry lines per (level, channel pair); levels hold 8, 4, 2, 1 pairs.
    std::array<std::array<std::int16_t, 16>, 15> synthesisLineA{};
    std::array<std::array<std::int16_t, 16>, 15> synthesisLineB{};
    std::array<std::int32_t, 15> synthesisPosA{};
    std::array<std::int32_t, 15> synthesisPosB{};
};

// Linear samples -> SBC words. With an empty `out` only the needed capacity (in words) is stored
// in `*size`; otherwise `*size` receives the number of words produced.
VoiceStatus SbcEncodeBlock(std::span<const std::int16_t> in, BlockKind kind, SbcCodecState* state,
                           std::span<std::uint16_t> out, std::size_t* size);

// SBC words -> linear samples, with the same size-query protocol (capacity in samples).
VoiceStatus SbcDecodeBlock(std::span<const std::uint16_t> in, BlockKind kind, SbcCodecState* state,
                           std::span<std::int16_t> out, std::size_t* size);

} // namespace voice
