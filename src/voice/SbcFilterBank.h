#pragma once
// The SBC tree filter banks. Sub-band samples are kept in one flat array per frame: at every
// level channel c of length L occupies [c*L, (c+1)*L), so sub-band s of the final level sits at
// [16*s, 16*s + 16) and a channel's two children are its first and second halves.

#include "voice/SbcCodec.h"

namespace voice {

inline constexpr std::size_t kSbcBands = 16;
inline constexpr std::size_t kSbcSlots = 16;

// Runs n samples (a multiple of 16) through the four analysis levels, leaving n/16 samples per
// sub-band in `bands` (same flat layout, n entries).
void SbcAnalyse(SbcCodecState& state, const std::int16_t* samples, std::size_t n,
                std::int16_t* bands);

// Merges one frame of 16 x 16 sub-band samples back into 256 samples.
void SbcSynthesise(SbcCodecState& state, const std::int16_t* bands, std::int16_t* samples);

} // namespace voice
