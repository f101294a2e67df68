#include "platform/SoundPlayback.h"

#include <alsa/asoundlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
namespace {

struct WaveData {
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned bits = 0;
    std::vector<char> samples;
};

std::uint32_t Le(const char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8U) | static_cast<unsigned char>(p[i]);
    return v;
}

// Reads the format and the samples of a RIFF wave holding plain PCM.
std::optional<WaveData> ReadWave(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[12];
    if (!in.read(head, sizeof head) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveData wave;
    bool haveFormat = false;
    char chunk[8];
    while (in.read(chunk, sizeof chunk)) {
        const std::uint32_t size = Le(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            char f[16];
            if (!in.read(f, sizeof f) || Le(f, 2) != 1) // PCM only
                return std::nullopt;
            wave.channels = Le(f + 2, 2);
            wave.rate = Le(f + 4, 4);
            wave.bits = Le(f + 14, 2);
            haveFormat = true;
            in.seekg(static_cast<std::streamoff>(size - 16 + (size & 1U)), std::ios::cur);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return std::nullopt;
            // A header that claims more than the file holds plays what is there.
            wave.samples.resize(size);
            in.read(wave.samples.data(), size);
            wave.samples.resize(static_cast<std::size_t>(in.gcount()));
            const bool usable = (wave.bits == 8 || wave.bits == 16) && wave.channels >= 1 &&
                                wave.channels <= 8 && wave.rate >= 1000 && wave.rate <= 192000;
            return usable ? std::optional(std::move(wave)) : std::nullopt;
        } else {
            in.seekg(static_cast<std::streamoff>(size + (size & 1U)), std::ios::cur);
        }
    }
    return std::nullopt;
}

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

} // namespace

std::string SoundDevice() {
    const char* device = std::getenv("ZAXMGR_SOUND_DEVICE");
    return device != nullptr && *device != '\0' ? device : "default";
}

bool PlayWaveFile(const std::string& path, const std::string& device) {
    const std::optional<WaveData> wave = ReadWave(path);
    if (!wave)
        return false;
    snd_pcm_t* raw = nullptr;
    if (snd_pcm_open(&raw, device.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return false;
    const std::unique_ptr<snd_pcm_t, PcmCloser> pcm(raw);
    const snd_pcm_format_t format = wave->bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED, wave->channels,
                           wave->rate, 1, 500000) < 0)
        return false;
    const std::size_t frameBytes = wave->channels * (wave->bits / 8);
    const char* data = wave->samples.data();
    auto frames = static_cast<snd_pcm_uframes_t>(wave->samples.size() / frameBytes);
    while (frames > 0) {
        snd_pcm_sframes_t written = snd_pcm_writei(pcm.get(), data, frames);
        if (written < 0)
            written = snd_pcm_recover(pcm.get(), static_cast<int>(written), 1);
        if (written < 0)
            return false;
        data += static_cast<std::size_t>(written) * frameBytes;
        frames -= static_cast<snd_pcm_uframes_t>(written);
    }
    return snd_pcm_drain(pcm.get()) >= 0;
}

} // namespace platform
