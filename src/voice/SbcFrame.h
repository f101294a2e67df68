#pragma once
// One SBC frame: quantising 16 x 16 sub-band samples into 36 words and back.

#include "voice/SbcFilterBank.h"

namespace voice {

// `bands` in the flat layout of SbcAnalyse (sub-band s at [16*s, 16*s + 16)).
void SbcPackFrame(const std::int16_t* bands, std::uint16_t* words);
void SbcUnpackFrame(const std::uint16_t* words, std::int16_t* bands);

// The scale factor (0-15) for the peak magnitude of a half-frame's sub-band.
int SbcScaleFactor(int peak);

} // namespace voice
