#pragma once
// Wave files: reading any wave into the linear file, and writing the linear file as a wave with
// this program's fixed 46-byte header.

#include "voice/VoiceTypes.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace voice {

inline constexpr std::size_t kWaveHeaderBytes = 46;

// The header for 8000 Hz mono 16-bit PCM with `dataBytes` of samples.
std::array<std::uint8_t, kWaveHeaderBytes> MakeWaveHeader(std::uint32_t dataBytes);
VoiceStatus WriteWaveHeader(std::FILE* f, std::uint64_t dataBytes);

VoiceStatus WaveToPcm(const char* wavePath, const char* pcmPath);
VoiceStatus PcmToWave(const char* pcmPath, const char* wavePath);
VoiceStatus CreateEmptyWave(const char* wavePath);

} // namespace voice
