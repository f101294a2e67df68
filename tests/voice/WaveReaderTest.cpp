// Reading waves of every kind the administrators bring.
#include "Signals.h"
#include "voice/WaveFile.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>

using namespace voice;
using voicetest::ReadBytes;
using voicetest::ReadPcm;
using voicetest::ScratchDir;
using voicetest::WriteBytes;

namespace {

// Writes a 1 kHz tone at half scale, the same in every channel.
bool WriteToneWave(const std::filesystem::path& p, int format, int rate, int channels,
                   double seconds) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(p.c_str(), SFM_WRITE, &info);
    if (f == nullptr)
        return false;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> data(frames * std::size_t(channels));
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            data[i * std::size_t(channels) + std::size_t(c)] =
                0.5F * float(std::sin(2 * std::numbers::pi * 1000.0 * double(i) / rate));
    sf_writef_float(f, data.data(), sf_count_t(frames));
    sf_close(f);
    return true;
}

std::vector<std::uint8_t>
Riff(std::initializer_list<std::pair<const char*, std::vector<std::uint8_t>>> chunks) {
    std::vector<std::uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const auto& [id, data] : chunks) {
        body.insert(body.end(), id, id + 4);
        const auto n = std::uint32_t(data.size());
        for (int i = 0; i < 4; ++i)
            body.push_back(std::uint8_t(n >> (8 * i)));
        body.insert(body.end(), data.begin(), data.end());
        if (data.size() % 2 != 0)
            body.push_back(0);
    }
    std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F'};
    const auto n = std::uint32_t(body.size());
    for (int i = 0; i < 4; ++i)
        file.push_back(std::uint8_t(n >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

const std::vector<std::uint8_t> kPcmFormat = {1,    0,    1, 0, 0x40, 0x1F, 0,  0,
                                              0x80, 0x3E, 0, 0, 2,    0,    16, 0};

} // namespace

TEST(WaveReader, ReadsEveryCommonWave) {
    struct Case {
        const char* what;
        int format;
        int rate;
        int channels;
        double minToneSnr;
    };
    const Case cases[] = {
        {"8-bit unsigned", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1, 30},
        {"16-bit 44.1 kHz stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 60},
        {"16-bit 11025 Hz", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 11025, 1, 60},
        {"24-bit 48 kHz", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 1, 60},
        {"32-bit 16 kHz", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 16000, 1, 60},
        {"float 22050 Hz 6 channels", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 22050, 6, 60},
        {"double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 8000, 1, 60},
        {"mu-law", SF_FORMAT_WAV | SF_FORMAT_ULAW, 8000, 1, 30},
        {"A-law", SF_FORMAT_WAV | SF_FORMAT_ALAW, 8000, 1, 30},
        {"IMA ADPCM", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 8000, 1, 20},
        {"MS ADPCM stereo", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 16000, 2, 20},
        {"GSM 6.10", SF_FORMAT_WAV | SF_FORMAT_GSM610, 8000, 1, 8},
        {"extensible 16-bit", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 32000, 2, 60},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteToneWave(dir / "in.wav", c.format, c.rate, c.channels, 1.0)) << c.what;
        ASSERT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success)
            << c.what;
        const auto pcm = ReadPcm(dir / "out.pcm");
        // One second in, one second at 8000 Hz out (block codecs may pad their last block).
        EXPECT_NEAR(double(pcm.size()), 8000.0, 400.0) << c.what;
        ASSERT_GT(pcm.size(), 7000U) << c.what;
        EXPECT_GE(voicetest::ToneSnr(pcm, 1000.0, 500, 7000), c.minToneSnr) << c.what;
    }
}

TEST(WaveReader, LinearWaveComesThroughUnchanged) {
    ScratchDir dir;
    const auto pcm = voicetest::SpeechLike(5000);
    voicetest::WritePcm(dir / "in.pcm", pcm);
    ASSERT_EQ(PcmToWave((dir / "in.pcm").c_str(), (dir / "in.wav").c_str()), VoiceStatus::Success);
    ASSERT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "out.pcm").c_str()), VoiceStatus::Success);
    EXPECT_EQ(ReadPcm(dir / "out.pcm"), pcm);
}

TEST(WaveReader, ChannelsAreMixedDown) {
    // Opposite channels cancel: a stereo file whose right channel is the inverted left.
    ScratchDir dir;
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open((dir / "in.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    std::vector<short> frames;
    for (int i = 0; i < 800; ++i) {
        frames.push_back(short(1000 + i));
        frames.push_back(short(-1000 - i));
    }
    sf_writef_short(f, frames.data(), 800);
    sf_close(f);
    ASSERT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "out.pcm").c_str()), VoiceStatus::Success);
    EXPECT_EQ(ReadPcm(dir / "out.pcm"), std::vector<std::int16_t>(800, 0));
}

TEST(WaveReader, UnusableFiles) {
    ScratchDir dir;
    const std::vector<std::uint8_t> samples = {1, 0, 2, 0, 3, 0, 4, 0};
    auto bigEndianTag = kPcmFormat;
    bigEndianTag[0] = 0x55; // an MPEG layer 3 tag with a PCM body: nothing decodes it
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        VoiceStatus expected;
    };
    const Case cases[] = {
        {"empty", {}, VoiceStatus::InputReadFailed},
        {"not RIFF",
         {'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'},
         VoiceStatus::InputReadFailed},
        {"not WAVE",
         {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
         VoiceStatus::InputReadFailed},
        {"no fmt chunk", Riff({{"data", samples}}), VoiceStatus::InputReadFailed},
        {"no data chunk", Riff({{"fmt ", kPcmFormat}}), VoiceStatus::InputReadFailed},
        {"truncated header", {'R', 'I', 'F', 'F', 4, 0}, VoiceStatus::InputReadFailed},
        {"unknown encoding", Riff({{"fmt ", bigEndianTag}, {"data", samples}}),
         VoiceStatus::ConverterNotPossible},
        {"other chunks are skipped",
         Riff({{"LIST", {'I', 'N', 'F', 'O', 'x'}}, {"fmt ", kPcmFormat}, {"data", samples}}),
         VoiceStatus::Success},
    };
    for (const Case& c : cases) {
        WriteBytes(dir / "in.wav", c.bytes);
        EXPECT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "out.pcm").c_str()), c.expected)
            << c.what;
    }
    EXPECT_EQ(ReadPcm(dir / "out.pcm"), (std::vector<std::int16_t>{1, 2, 3, 4}));
    EXPECT_EQ(WaveToPcm((dir / "missing.wav").c_str(), (dir / "out.pcm").c_str()),
              VoiceStatus::InputOpenFailed);
    WriteBytes(dir / "in.wav", Riff({{"fmt ", kPcmFormat}, {"data", samples}}));
    EXPECT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "no" / "out.pcm").c_str()),
              VoiceStatus::OutputOpenFailed);
}

TEST(WaveReader, TruncatedDataChunkConvertsWhatIsThere) {
    ScratchDir dir;
    auto bytes = Riff({{"fmt ", kPcmFormat}, {"data", {1, 0, 2, 0, 3, 0, 4, 0}}});
    bytes[40] = 0x00; // the data chunk claims 0x1000 bytes
    bytes[41] = 0x10;
    WriteBytes(dir / "in.wav", bytes);
    EXPECT_EQ(WaveToPcm((dir / "in.wav").c_str(), (dir / "out.pcm").c_str()), VoiceStatus::Success);
    EXPECT_EQ(ReadPcm(dir / "out.pcm"), (std::vector<std::int16_t>{1, 2, 3, 4}));
}

// Prompts often come as compressed sound files; they are read as waves are,
// down to 8000 Hz mono. Each is written here with the same library, so a
// format this system's library cannot write is not tested.
TEST(WaveReader, ReadsOtherSoundFiles) {
    struct Case {
        const char* what;
        const char* name;
        int format;
        int rate;
        int channels;
        double minToneSnr;
    };
    const Case cases[] = {
        {"FLAC", "in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 50},
        {"Ogg Vorbis", "in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 1, 20},
        {"Ogg Opus", "in.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 1, 20},
        {"MP3", "in.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2, 20},
    };
    ScratchDir dir;
    int read = 0;
    for (const Case& c : cases) {
        if (!WriteToneWave(dir / c.name, c.format, c.rate, c.channels, 1.0))
            continue;
        ++read;
        ASSERT_EQ(WaveToPcm((dir / c.name).c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success)
            << c.what;
        const auto pcm = ReadPcm(dir / "out.pcm");
        // Lossy coders may add a frame of padding at either end.
        EXPECT_NEAR(double(pcm.size()), 8000.0, 1200.0) << c.what;
        ASSERT_GT(pcm.size(), 7000U) << c.what;
        EXPECT_GE(voicetest::ToneSnr(pcm, 1000.0, 1500, 6500), c.minToneSnr) << c.what;
    }
    EXPECT_GT(read, 0);
    // Something that is no sound file at all.
    WriteBytes(dir / "junk.mp3", {'n', 'o', 't', ' ', 's', 'o', 'u', 'n', 'd'});
    EXPECT_EQ(WaveToPcm((dir / "junk.mp3").c_str(), (dir / "out.pcm").c_str()),
              VoiceStatus::InputReadFailed);
}
