#include "voice/VoiceCommand.h"

#include "voice/CodecFiles.h"
#include "voice/VoiceConversion.h"
#include "voice/VoiceStatusText.h"
#include "voice/WaveFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace voice {
namespace {

struct Extension {
    std::string_view name;
    CommandFormat format;
};

constexpr std::array<Extension, 8> kExtensions = {{
    {".wav", CommandFormat::Wave},
    // Other sound files are read as waves are, and only read.
    {".flac", CommandFormat::Sound},
    {".ogg", CommandFormat::Sound},
    {".opus", CommandFormat::Sound},
    {".mp3", CommandFormat::Sound},
    {".oki", CommandFormat::Oki},
    {".sbc", CommandFormat::Sbc},
    {".pcm", CommandFormat::Pcm},
}};

// Re-writing a wave normalises any wave into this program's own 8000 Hz mono form.
VoiceStatus WaveToWave(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, WaveToPcm, PcmToWave);
}

// kSteps[from][to], in the order of CommandFormat; a sound file is read as a wave.
constexpr std::array<std::array<StepFunction, 4>, 4> kSteps = {{
    {WaveToWave, WaveToOki, WaveToSbc, WaveToPcm},
    {OkiToWave, CopyVoiceFile, OkiToSbc, OkiToPcm},
    {SbcToWave, SbcToOki, CopyVoiceFile, SbcToPcm},
    {PcmToWave, PcmToOki, PcmToSbc, CopyVoiceFile},
}};

int Usage() {
    std::cerr << "usage: zaxvoice IN OUT\n"
                 "  converts between voice files by extension:\n"
                 "  .wav  wave file (read: any wave; written: 8000 Hz mono 16-bit)\n"
                 "  .oki  raw OKI ADPCM\n"
                 "  .sbc  raw SBC\n"
                 "  .pcm  headerless signed 16-bit little-endian mono 8000 Hz\n"
                 "  .flac .ogg .opus .mp3  other sound files (read only)\n";
    return 2;
}

bool SameFile(const char* a, const char* b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

std::optional<CommandFormat> FormatFromPath(std::string_view path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Extension& e : kExtensions)
        if (e.name == ext)
            return e.format;
    return std::nullopt;
}

VoiceStatus ConvertFile(const char* inPath, CommandFormat inFormat, const char* outPath,
                        CommandFormat outFormat) {
    if (outFormat == CommandFormat::Sound)
        return VoiceStatus::UnsupportedFormat;
    if (inFormat == CommandFormat::Sound)
        inFormat = CommandFormat::Wave;
    const auto from = static_cast<std::size_t>(inFormat);
    const auto to = static_cast<std::size_t>(outFormat);
    return kSteps[from][to](inPath, outPath);
}

int RunVoiceCommand(int argc, const char* const* argv) {
    if (argc != 3)
        return Usage();
    const char* in = argv[1];
    const char* out = argv[2];
    const auto inFormat = FormatFromPath(in);
    const auto outFormat = FormatFromPath(out);
    if (!inFormat || !outFormat) {
        std::cerr << "zaxvoice: unknown file extension (use .wav, .oki, .sbc or .pcm)\n";
        return Usage();
    }
    if (*outFormat == CommandFormat::Sound) {
        std::cerr << "zaxvoice: " << out << ": only .wav, .oki, .sbc and .pcm are written\n";
        return 2;
    }
    // Writing the output would truncate the input before it is read.
    if (SameFile(in, out)) {
        std::cerr << "zaxvoice: " << in << " and " << out << " are the same file\n";
        return 2;
    }
    const VoiceStatus s = ConvertFile(in, *inFormat, out, *outFormat);
    if (s != VoiceStatus::Success) {
        std::cerr << "zaxvoice: " << in << " -> " << out << ": error " << StatusCode(s) << ": "
                  << VoiceStatusText(s) << '\n';
        return 1;
    }
    return 0;
}

} // namespace voice
