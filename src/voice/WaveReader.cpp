#include "voice/WaveReader.h"

#include "voice/VoiceFileIo.h"

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace voice {
namespace {

constexpr double kLinearRate = 8000.0;
// Rates outside this range are no audio anyone records prompts in; refusing them also keeps a
// hostile header from asking for absurd resampling ratios.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 768000;
constexpr sf_count_t kFramesPerRead = 1024;
constexpr std::size_t kResampledChunk = 4096;

std::uint32_t Le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8U) |
           (static_cast<std::uint32_t>(p[2]) << 16U) | (static_cast<std::uint32_t>(p[3]) << 24U);
}

// ---- libsndfile reading through the caller's stream ---------------------------------------

sf_count_t VioLength(void* user) {
    auto* f = static_cast<std::FILE*>(user);
    const off_t here = ftello(f);
    if (here < 0 || fseeko(f, 0, SEEK_END) != 0)
        return -1;
    const off_t end = ftello(f);
    fseeko(f, here, SEEK_SET);
    return end;
}

sf_count_t VioSeek(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<std::FILE*>(user);
    if (fseeko(f, static_cast<off_t>(offset), whence) != 0)
        return -1;
    return ftello(f);
}

sf_count_t VioRead(void* ptr, sf_count_t count, void* user) {
    if (count <= 0)
        return 0;
    return static_cast<sf_count_t>(
        std::fread(ptr, 1, static_cast<std::size_t>(count), static_cast<std::FILE*>(user)));
}

sf_count_t VioWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t VioTell(void* user) {
    return ftello(static_cast<std::FILE*>(user));
}

struct SndfileCloser {
    void operator()(SNDFILE* s) const { sf_close(s); }
};
struct SoxrDeleter {
    void operator()(soxr* s) const { soxr_delete(s); }
};

std::int16_t ToSample(float v) {
    const float scaled = std::nearbyint(v * 32768.0F);
    if (!(scaled > -32768.0F)) // also catches NaN
        return -32768;
    if (scaled > 32767.0F)
        return 32767;
    return static_cast<std::int16_t>(scaled);
}

bool WriteSamples(std::FILE* out, const float* v, std::size_t n) {
    std::vector<std::int16_t> s(n);
    std::transform(v, v + n, s.begin(), ToSample);
    return WriteLe16(out, std::span<const std::int16_t>(s));
}

// Resamples to 8000 Hz (or passes through at that rate) and writes the result.
class RateConverter {
public:
    RateConverter(double inRate, std::FILE* out) : out_(out), buffer_(kResampledChunk) {
        if (inRate != kLinearRate) {
            soxr_error_t error = nullptr;
            const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
            resampler_.reset(
                soxr_create(inRate, kLinearRate, 1, &error, nullptr, nullptr, &runtime));
            failed_ = error != nullptr || !resampler_;
        }
    }

    bool Failed() const { return failed_; }

    VoiceStatus Push(const float* in, std::size_t n) {
        if (!resampler_)
            return WriteSamples(out_, in, n) ? VoiceStatus::Success
                                             : VoiceStatus::OutputWriteFailed;
        do {
            std::size_t used = 0;
            std::size_t made = 0;
            if (soxr_process(resampler_.get(), in, n, &used, buffer_.data(), buffer_.size(),
                             &made) != nullptr)
                return VoiceStatus::ConverterNotPossible;
            if (!WriteSamples(out_, buffer_.data(), made))
                return VoiceStatus::OutputWriteFailed;
            in += used;
            n -= used;
        } while (n > 0);
        return VoiceStatus::Success;
    }

    // Drains what the resampler still holds at the end of the input.
    VoiceStatus Finish() {
        if (!resampler_)
            return VoiceStatus::Success;
        for (;;) {
            std::size_t made = 0;
            if (soxr_process(resampler_.get(), nullptr, 0, nullptr, buffer_.data(), buffer_.size(),
                             &made) != nullptr)
                return VoiceStatus::ConverterNotPossible;
            if (made == 0)
                return VoiceStatus::Success;
            if (!WriteSamples(out_, buffer_.data(), made))
                return VoiceStatus::OutputWriteFailed;
        }
    }

private:
    std::FILE* out_;
    std::unique_ptr<soxr, SoxrDeleter> resampler_;
    std::vector<float> buffer_;
    bool failed_ = false;
};

VoiceStatus Convert(SNDFILE* file, const SF_INFO& info, std::FILE* out) {
    if (info.samplerate < kMinRate || info.samplerate > kMaxRate || info.channels < 1)
        return VoiceStatus::ConverterNotPossible;
    RateConverter rate(info.samplerate, out);
    if (rate.Failed())
        return VoiceStatus::ConverterNotPossible;
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> frames(static_cast<std::size_t>(kFramesPerRead) * channels);
    std::vector<float> mono(static_cast<std::size_t>(kFramesPerRead));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, frames.data(), kFramesPerRead);
        if (got <= 0)
            return rate.Finish();
        const auto n = static_cast<std::size_t>(got);
        for (std::size_t i = 0; i < n; ++i) {
            float sum = 0.0F;
            for (std::size_t c = 0; c < channels; ++c)
                sum += frames[i * channels + c];
            mono[i] = sum / static_cast<float>(channels);
        }
        if (const auto s = rate.Push(mono.data(), n); s != VoiceStatus::Success)
            return s;
    }
}

} // namespace

bool WaveReader::IsRiff() {
    unsigned char head[4];
    const bool riff = std::fseek(in_, 0, SEEK_SET) == 0 &&
                      std::fread(head, 1, sizeof head, in_) == sizeof head &&
                      std::memcmp(head, "RIFF", 4) == 0;
    std::fseek(in_, 0, SEEK_SET);
    return riff;
}

VoiceStatus WaveReader::CheckRiff() {
    unsigned char head[12];
    if (std::fseek(in_, 0, SEEK_SET) != 0 || std::fread(head, 1, sizeof head, in_) != sizeof head)
        return VoiceStatus::InputReadFailed;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return VoiceStatus::InputReadFailed;
    bool haveFormat = false;
    bool haveData = false;
    unsigned char chunk[8];
    while (!(haveFormat && haveData) && std::fread(chunk, 1, sizeof chunk, in_) == sizeof chunk) {
        const std::uint32_t size = Le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0)
            haveFormat = true;
        else if (std::memcmp(chunk, "data", 4) == 0)
            haveData = true;
        // Chunks are padded to an even length.
        const off_t skip = static_cast<off_t>(size) + static_cast<off_t>(size & 1U);
        if (fseeko(in_, skip, SEEK_CUR) != 0)
            break;
    }
    return haveFormat && haveData ? VoiceStatus::Success : VoiceStatus::InputReadFailed;
}

VoiceStatus WaveReader::ConvertTo(std::FILE* out, bool otherFiles) {
    try {
        if (std::fseek(in_, 0, SEEK_SET) != 0)
            return VoiceStatus::InputReadFailed;
        SF_VIRTUAL_IO io{VioLength, VioSeek, VioRead, VioWrite, VioTell};
        SF_INFO info{};
        std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_READ, &info, in_));
        if (!file)
            return otherFiles ? VoiceStatus::InputReadFailed : VoiceStatus::ConverterNotPossible;
        const int type = info.format & SF_FORMAT_TYPEMASK;
        if (!otherFiles && type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX)
            return VoiceStatus::ConverterNotPossible;
        return Convert(file.get(), info, out);
    } catch (const std::bad_alloc&) {
        return VoiceStatus::NoMemory;
    }
}

} // namespace voice
