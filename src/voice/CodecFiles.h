#pragma once
// File converters between the linear file (headerless 16-bit little-endian mono at 8000 Hz) and
// the raw OKI and SBC files. The path forms open the files; the stream forms do the work.

#include "voice/VoiceTypes.h"

#include <cstdio>

namespace voice {

VoiceStatus OkiToPcm(const char* okiPath, const char* pcmPath);
VoiceStatus PcmToOki(const char* pcmPath, const char* okiPath);
VoiceStatus SbcToPcm(const char* sbcPath, const char* pcmPath);
VoiceStatus PcmToSbc(const char* pcmPath, const char* sbcPath);

VoiceStatus OkiStreamToPcm(std::FILE* in, std::FILE* out);
VoiceStatus PcmStreamToOki(std::FILE* in, std::FILE* out);
VoiceStatus SbcStreamToPcm(std::FILE* in, std::FILE* out);
VoiceStatus PcmStreamToSbc(std::FILE* in, std::FILE* out);

} // namespace voice
