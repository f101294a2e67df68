#pragma once
// Conversions between the local file formats and the server's format. Conversions between two
// different formats run in two steps through a temporary linear file.

#include "voice/VoiceTypes.h"

namespace voice {

using StepFunction = VoiceStatus (*)(const char* inPath, const char* outPath);

// Runs `first` into a fresh temporary linear file, then `second` from it; the temporary file
// is deleted on every path.
VoiceStatus ConvertInTwoSteps(const char* inPath, const char* outPath, StepFunction first,
                              StepFunction second);

VoiceStatus SbcToOki(const char* sbcPath, const char* okiPath);
VoiceStatus SbcToWave(const char* sbcPath, const char* wavePath);
VoiceStatus OkiToSbc(const char* okiPath, const char* sbcPath);
VoiceStatus OkiToWave(const char* okiPath, const char* wavePath);
VoiceStatus WaveToSbc(const char* wavePath, const char* sbcPath);
VoiceStatus WaveToOki(const char* wavePath, const char* okiPath);

// Copies a file, replacing the destination; CopyFailed when it cannot.
VoiceStatus CopyVoiceFile(const char* inPath, const char* outPath);

VoiceStatus ConvertToServerFormat(const char* filePath, VoiceFileFormat fileFormat,
                                  ServerVoiceFormat serverFormat, const char* outPath);
VoiceStatus ConvertFromServerFormat(const char* serverPath, ServerVoiceFormat serverFormat,
                                    VoiceFileFormat fileFormat, const char* outPath);

} // namespace voice
