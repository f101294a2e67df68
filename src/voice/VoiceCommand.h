#pragma once
// The command-line converter's logic: formats chosen by file extension.

#include "voice/VoiceTypes.h"

#include <optional>
#include <string_view>

namespace voice {

// The formats the command line knows; Pcm is the headerless linear file, Sound any other
// sound file the wave reader decodes (read only).
enum class CommandFormat { Wave, Oki, Sbc, Pcm, Sound };

// By extension, ignoring case: .wav .oki .sbc .pcm, and .flac .ogg .opus .mp3 as Sound.
std::optional<CommandFormat> FormatFromPath(std::string_view path);

// Converts IN to OUT: between two of wave/OKI/SBC in two steps as the program does, from or to
// the linear file in one step, and a plain copy when both sides share a raw format.
VoiceStatus ConvertFile(const char* inPath, CommandFormat inFormat, const char* outPath,
                        CommandFormat outFormat);

// The whole command: arguments, conversion, messages. Returns the process exit code.
int RunVoiceCommand(int argc, const char* const* argv);

} // namespace voice
