#include "voice/WaveFile.h"

#include "voice/VoiceFileIo.h"
#include "voice/WaveReader.h"

#include <filesystem>
#include <limits>
#include <system_error>

namespace voice {
namespace {

constexpr std::size_t kCopyBlockBytes = 2048;
constexpr std::uint32_t kRiffOverhead = 38; // header bytes after the RIFF size field

void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFFU);
    p[1] = static_cast<std::uint8_t>(v >> 8U);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, static_cast<std::uint16_t>(v & 0xFFFFU));
    Put16(p + 2, static_cast<std::uint16_t>(v >> 16U));
}

void PutTag(std::uint8_t* p, const char* tag) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(tag[i]);
}

} // namespace

std::array<std::uint8_t, kWaveHeaderBytes> MakeWaveHeader(std::uint32_t dataBytes) {
    std::array<std::uint8_t, kWaveHeaderBytes> h{};
    PutTag(&h[0], "RIFF");
    Put32(&h[4], dataBytes + kRiffOverhead);
    PutTag(&h[8], "WAVE");
    PutTag(&h[12], "fmt ");
    Put32(&h[16], 18);    // format chunk size, with the empty extra-bytes count
    Put16(&h[20], 1);     // PCM
    Put16(&h[22], 1);     // channels
    Put32(&h[24], 8000);  // samples per second
    Put32(&h[28], 16000); // bytes per second
    Put16(&h[32], 2);     // block alignment
    Put16(&h[34], 16);    // bits per sample
    Put16(&h[36], 0);     // extra format bytes
    PutTag(&h[38], "data");
    Put32(&h[42], dataBytes);
    return h;
}

VoiceStatus WriteWaveHeader(std::FILE* f, std::uint64_t dataBytes) {
    // The RIFF size field must hold data + 38; a larger file cannot be described.
    if (dataBytes > std::numeric_limits<std::uint32_t>::max() - kRiffOverhead)
        return VoiceStatus::OutputWriteFailed;
    const auto header = MakeWaveHeader(static_cast<std::uint32_t>(dataBytes));
    return WriteAll(f, header.data(), header.size()) ? VoiceStatus::Success
                                                     : VoiceStatus::OutputWriteFailed;
}

VoiceStatus PcmToWave(const char* pcmPath, const char* wavePath) {
    const FilePtr in = OpenFile(pcmPath, "rb");
    if (!in)
        return VoiceStatus::InputOpenFailed;
    const FilePtr out = OpenFile(wavePath, "wb");
    if (!out)
        return VoiceStatus::OutputOpenFailed;
    if (const auto s = WriteWaveHeader(out.get(), 0); s != VoiceStatus::Success)
        return s;
    std::array<std::uint8_t, kCopyBlockBytes> block{};
    for (;;) {
        std::size_t got = 0;
        if (!ReadUpTo(in.get(), block.data(), block.size(), &got))
            return VoiceStatus::InputReadFailed;
        if (!WriteAll(out.get(), block.data(), got))
            return VoiceStatus::OutputWriteFailed;
        if (got < block.size())
            break;
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(pcmPath, ec);
    if (ec)
        return VoiceStatus::FileStatusFailed;
    if (std::fseek(out.get(), 0, SEEK_SET) != 0)
        return VoiceStatus::OutputWriteFailed;
    if (const auto s = WriteWaveHeader(out.get(), size); s != VoiceStatus::Success)
        return s;
    return std::fflush(out.get()) == 0 ? VoiceStatus::Success : VoiceStatus::OutputWriteFailed;
}

VoiceStatus CreateEmptyWave(const char* wavePath) {
    const FilePtr out = OpenFile(wavePath, "wb");
    if (!out)
        return VoiceStatus::OutputOpenFailed;
    if (const auto s = WriteWaveHeader(out.get(), 0); s != VoiceStatus::Success)
        return s;
    return std::fflush(out.get()) == 0 ? VoiceStatus::Success : VoiceStatus::OutputWriteFailed;
}

VoiceStatus WaveToPcm(const char* wavePath, const char* pcmPath) {
    const FilePtr in = OpenFile(wavePath, "rb");
    if (!in)
        return VoiceStatus::InputOpenFailed;
    WaveReader reader(in.get());
    // A wave must be whole; a file of another kind is read by what it is
    // (FLAC, Ogg Vorbis, Opus, MP3 ...).
    const bool riff = reader.IsRiff();
    if (riff)
        if (const auto s = reader.CheckRiff(); s != VoiceStatus::Success)
            return s;
    const FilePtr out = OpenFile(pcmPath, "wb");
    if (!out)
        return VoiceStatus::OutputOpenFailed;
    VoiceStatus s = reader.ConvertTo(out.get(), !riff);
    if (std::fflush(out.get()) != 0 && s == VoiceStatus::Success)
        s = VoiceStatus::OutputWriteFailed;
    return s;
}

} // namespace voice
