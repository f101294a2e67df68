#pragma once
// Recordings in the server's own formats: coding linear samples into OKI
// ADPCM or SBC and back, re-coding what the server holds when its format
// changes, and the speech-like demo recordings.

#include "SimState.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zaxsim {

// The two formats VoiceParameters reports (ServerVoiceFormat) and their data rates.
inline constexpr int32_t FormatOki = 1;
inline constexpr int32_t FormatSbc = 2;
inline constexpr int32_t OkiBytesPerSecond = 4000; // 8000 samples of 4 bits
inline constexpr int32_t SbcBytesPerSecond = 2250; // a 72-byte frame per 256 samples

// The data rate of a format; 0 for a format the server does not know.
int32_t BytesPerSecondOf(int32_t format);

// 8000 Hz linear samples coded whole into `format` (empty for an unknown format).
Blob EncodeRecording(std::span<const int16_t> samples, int32_t format);
// A recording of `format` decoded whole into 8000 Hz linear samples.
std::vector<int16_t> DecodeRecording(const Blob& voice, int32_t format);

// `seconds` of a voice-like sound at 8000 Hz: voiced syllables with moving
// pitch and formants, pauses between them. The same `seed` gives the same sound.
std::vector<int16_t> SpeechLikeSamples(double seconds, uint32_t seed);

// Re-codes every recording of `state` from its current server format into
// `format` and reports the new format and rate in its voice parameters.
void ConvertRecordings(SimState& state, int32_t format);

} // namespace zaxsim
