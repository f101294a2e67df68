#include "voice/VoiceConversion.h"

#include "voice/CodecFiles.h"
#include "voice/TempVoiceFile.h"
#include "voice/WaveFile.h"

#include <array>
#include <filesystem>
#include <new>
#include <system_error>

namespace voice {

VoiceStatus ConvertInTwoSteps(const char* inPath, const char* outPath, StepFunction first,
                              StepFunction second) {
    try {
        const TempVoiceFile linear;
        if (!linear.Created())
            return VoiceStatus::TempFileFailed;
        const VoiceStatus s = first(inPath, linear.Path());
        return s == VoiceStatus::Success ? second(linear.Path(), outPath) : s;
    } catch (const std::bad_alloc&) {
        return VoiceStatus::NoMemory;
    }
}

VoiceStatus SbcToOki(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, SbcToPcm, PcmToOki);
}
VoiceStatus SbcToWave(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, SbcToPcm, PcmToWave);
}
VoiceStatus OkiToSbc(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, OkiToPcm, PcmToSbc);
}
VoiceStatus OkiToWave(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, OkiToPcm, PcmToWave);
}
VoiceStatus WaveToSbc(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, WaveToPcm, PcmToSbc);
}
VoiceStatus WaveToOki(const char* in, const char* out) {
    return ConvertInTwoSteps(in, out, WaveToPcm, PcmToOki);
}

VoiceStatus CopyVoiceFile(const char* inPath, const char* outPath) {
    std::error_code ec;
    std::filesystem::copy_file(inPath, outPath, std::filesystem::copy_options::overwrite_existing,
                               ec);
    return ec ? VoiceStatus::CopyFailed : VoiceStatus::Success;
}

namespace {

// For each pairing of a local format and the server's format: how a file goes up to the server
// and how a server recording comes down into that local format.
struct Route {
    VoiceFileFormat file;
    ServerVoiceFormat server;
    StepFunction upload;
    StepFunction download;
};

constexpr std::array<Route, 6> kRoutes = {{
    {VoiceFileFormat::Wave, ServerVoiceFormat::OkiAdpcm, WaveToOki, OkiToWave},
    {VoiceFileFormat::Wave, ServerVoiceFormat::Sbc, WaveToSbc, SbcToWave},
    {VoiceFileFormat::RawOki, ServerVoiceFormat::OkiAdpcm, CopyVoiceFile, CopyVoiceFile},
    {VoiceFileFormat::RawOki, ServerVoiceFormat::Sbc, OkiToSbc, SbcToOki},
    {VoiceFileFormat::RawSbc, ServerVoiceFormat::OkiAdpcm, SbcToOki, OkiToSbc},
    {VoiceFileFormat::RawSbc, ServerVoiceFormat::Sbc, CopyVoiceFile, CopyVoiceFile},
}};

const Route* FindRoute(VoiceFileFormat file, ServerVoiceFormat server) {
    for (const Route& r : kRoutes)
        if (r.file == file && r.server == server)
            return &r;
    return nullptr;
}

} // namespace

VoiceStatus ConvertToServerFormat(const char* filePath, VoiceFileFormat fileFormat,
                                  ServerVoiceFormat serverFormat, const char* outPath) {
    const Route* r = FindRoute(fileFormat, serverFormat);
    return r != nullptr ? r->upload(filePath, outPath) : VoiceStatus::UnsupportedFormat;
}

VoiceStatus ConvertFromServerFormat(const char* serverPath, ServerVoiceFormat serverFormat,
                                    VoiceFileFormat fileFormat, const char* outPath) {
    const Route* r = FindRoute(fileFormat, serverFormat);
    return r != nullptr ? r->download(serverPath, outPath) : VoiceStatus::UnsupportedFormat;
}

} // namespace voice
