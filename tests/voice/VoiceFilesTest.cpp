// The OKI and SBC file converters and the wave writer, on real files.
#include "Signals.h"
#include "voice/CodecFiles.h"
#include "voice/OkiAdpcm.h"
#include "voice/SbcCodec.h"
#include "voice/WaveFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace voice;
using voicetest::ReadBytes;
using voicetest::ReadPcm;
using voicetest::ScratchDir;
using voicetest::WriteBytes;
using voicetest::WritePcm;

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 g(seed);
    std::vector<std::uint8_t> b(n);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(g());
    return b;
}

std::vector<std::uint8_t> OkiInMemory(const std::vector<std::int16_t>& pcm) {
    OkiAdpcmState st;
    std::vector<std::uint8_t> out(pcm.size() / 2 + 1);
    std::size_t n = 0;
    if (OkiEncodeBlock(pcm, BlockKind::Only, &st, out, &n) != VoiceStatus::Success)
        return {};
    out.resize(n);
    return out;
}

std::vector<std::uint8_t> SbcInMemory(const std::vector<std::int16_t>& pcm) {
    auto st = std::make_unique<SbcCodecState>();
    std::vector<std::uint16_t> words(pcm.size() / 256 * 36 + 72);
    std::size_t n = 0;
    if (SbcEncodeBlock(pcm, BlockKind::Only, st.get(), words, &n) != VoiceStatus::Success)
        return {};
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < n; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(words[i] & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(words[i] >> 8));
    }
    return bytes;
}

} // namespace

TEST(VoiceFiles, SbcFramesDecodeToWholeFrames) {
    // F whole frames give F x 256 samples, also when the file ends exactly on a 10080-byte
    // read block (140 frames): the empty last block still flushes the 225-sample tail.
    ScratchDir dir;
    for (const std::size_t frames : {1U, 2U, 139U, 140U, 141U, 280U, 300U}) {
        WriteBytes(dir / "in.sbc", RandomBytes(frames * 72, unsigned(frames)));
        ASSERT_EQ(SbcToPcm((dir / "in.sbc").c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadPcm(dir / "out.pcm").size(), frames * 256) << frames << " frames";
    }
}

TEST(VoiceFiles, SbcOddSizedAndShortFiles) {
    ScratchDir dir;
    struct Case {
        std::size_t bytes;
        std::size_t samples;
    };
    const Case cases[] = {
        {0, 0},                 // empty
        {1, 0},                 // shorter than a frame: rejected, nothing written
        {71, 0},                // likewise
        {72 + 1, 256},          // the stray odd byte is ignored
        {72 + 2, 512},          // one word of a second frame: zero-padded into a frame
        {10080 + 3, 141 * 256}, // a partial frame in a continuing final block
    };
    for (const Case& c : cases) {
        WriteBytes(dir / "in.sbc", RandomBytes(c.bytes, 7));
        ASSERT_EQ(SbcToPcm((dir / "in.sbc").c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadPcm(dir / "out.pcm").size(), c.samples) << c.bytes << " bytes";
    }
}

TEST(VoiceFiles, OkiDecodeIsTwoSamplesPerByteAcrossBlocks) {
    ScratchDir dir;
    for (const std::size_t bytes : {0U, 1U, 10079U, 10080U, 10081U, 20160U}) {
        const auto oki = RandomBytes(bytes, 3);
        WriteBytes(dir / "in.oki", oki);
        ASSERT_EQ(OkiToPcm((dir / "in.oki").c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success);
        const auto pcm = ReadPcm(dir / "out.pcm");
        ASSERT_EQ(pcm.size(), bytes * 2);
        // Block boundaries continue one stream: the same as decoding everything at once.
        OkiAdpcmState st;
        std::vector<std::int16_t> whole(bytes * 2);
        std::size_t n = 0;
        if (bytes > 0) {
            OkiDecodeBlock(oki, BlockKind::Only, &st, whole, &n);
        }
        EXPECT_EQ(pcm, whole) << bytes;
    }
}

TEST(VoiceFiles, EncodersMatchOneBlockCoding) {
    // The 480-byte first block and 2048-byte blocks after it continue one stream, whatever
    // the length: the file equals the whole signal coded in one call.
    ScratchDir dir;
    for (const std::size_t samples : {240U, 241U, 256U, 1263U, 1264U, 1265U, 2288U, 5000U}) {
        const auto pcm = voicetest::SpeechLike(samples);
        WritePcm(dir / "in.pcm", pcm);
        ASSERT_EQ(PcmToOki((dir / "in.pcm").c_str(), (dir / "out.oki").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadBytes(dir / "out.oki"), OkiInMemory(pcm)) << samples;
        ASSERT_EQ(PcmToSbc((dir / "in.pcm").c_str(), (dir / "out.sbc").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadBytes(dir / "out.sbc"), SbcInMemory(pcm)) << samples;
    }
}

TEST(VoiceFiles, ShortLinearFiles) {
    ScratchDir dir;
    struct Case {
        std::size_t bytes;
        std::size_t okiBytes;
        std::size_t sbcBytes;
    };
    const Case cases[] = {
        {0, 0, 0},      // empty in, empty out
        {1, 0, 0},      // half a sample is no sample
        {3, 1, 0},      // one sample: its byte's low nibble codes a zero
        {478, 120, 0},  // 239 samples cannot prime the SBC coder
        {480, 120, 72}, // exactly the first block: an empty last block flushes a frame
    };
    for (const Case& c : cases) {
        WriteBytes(dir / "in.pcm", RandomBytes(c.bytes, 11));
        ASSERT_EQ(PcmToOki((dir / "in.pcm").c_str(), (dir / "out.oki").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadBytes(dir / "out.oki").size(), c.okiBytes) << c.bytes;
        ASSERT_EQ(PcmToSbc((dir / "in.pcm").c_str(), (dir / "out.sbc").c_str()),
                  VoiceStatus::Success);
        EXPECT_EQ(ReadBytes(dir / "out.sbc").size(), c.sbcBytes) << c.bytes;
    }
}

TEST(VoiceFiles, WaveHeaderIsTheFixed46ByteForm) {
    ScratchDir dir;
    WritePcm(dir / "in.pcm", {1, -2, 3});
    ASSERT_EQ(PcmToWave((dir / "in.pcm").c_str(), (dir / "out.wav").c_str()), VoiceStatus::Success);
    const std::vector<std::uint8_t> expected = {
        'R',  'I',  'F',  'F',  44,   0,    0,   0,                // data size + 38
        'W',  'A',  'V',  'E',  'f',  'm',  't', ' ', 18, 0, 0, 0, // format chunk of 18 bytes
        1,    0,    1,    0,                                       // PCM, one channel
        0x40, 0x1F, 0,    0,    0x80, 0x3E, 0,   0, // 8000 Hz, 16000 bytes per second
        2,    0,    16,   0,    0,    0,            // alignment 2, 16 bits, no extra bytes
        'd',  'a',  't',  'a',  6,    0,    0,   0, // data size
        1,    0,    0xFE, 0xFF, 3,    0};
    EXPECT_EQ(ReadBytes(dir / "out.wav"), expected);

    // Sizes follow the linear file, whatever its length (here more than one copy block).
    const auto pcm = voicetest::Tone(440, 1000, 3000);
    WritePcm(dir / "in.pcm", pcm);
    ASSERT_EQ(PcmToWave((dir / "in.pcm").c_str(), (dir / "out.wav").c_str()), VoiceStatus::Success);
    const auto wave = ReadBytes(dir / "out.wav");
    ASSERT_EQ(wave.size(), 46U + 6000U);
    const auto le32 = [&](std::size_t at) {
        return wave[at] | wave[at + 1] << 8 | wave[at + 2] << 16 | wave[at + 3] << 24;
    };
    EXPECT_EQ(le32(4), 6000 + 38);
    EXPECT_EQ(le32(42), 6000);

    ASSERT_EQ(CreateEmptyWave((dir / "empty.wav").c_str()), VoiceStatus::Success);
    auto emptyExpected = expected;
    emptyExpected.resize(46);
    emptyExpected[4] = 38;
    emptyExpected[42] = 0;
    EXPECT_EQ(ReadBytes(dir / "empty.wav"), emptyExpected);
}

TEST(VoiceFiles, FileErrors) {
    ScratchDir dir;
    WritePcm(dir / "in.pcm", voicetest::Tone(440, 1000, 1000));
    const std::string missing = (dir / "missing.pcm").string();
    const std::string unwritable = (dir / "no" / "such" / "dir.out").string();
    const std::string in = (dir / "in.pcm").string();
    const std::string out = (dir / "out").string();
    const std::string directory = dir.Path().string();
    using Converter = VoiceStatus (*)(const char*, const char*);
    struct Case {
        const char* what;
        Converter convert;
        std::string from;
        std::string to;
        VoiceStatus expected;
    };
    const Case cases[] = {
        {"oki decode, no input", OkiToPcm, missing, out, VoiceStatus::InputOpenFailed},
        {"sbc decode, no input", SbcToPcm, missing, out, VoiceStatus::InputOpenFailed},
        {"oki encode, no output", PcmToOki, in, unwritable, VoiceStatus::OutputOpenFailed},
        {"sbc encode, no output", PcmToSbc, in, unwritable, VoiceStatus::OutputOpenFailed},
        {"wave write, no input", PcmToWave, missing, out, VoiceStatus::InputOpenFailed},
        {"wave write, no output", PcmToWave, in, unwritable, VoiceStatus::OutputOpenFailed},
        {"oki decode, unreadable", OkiToPcm, directory, out, VoiceStatus::InputReadFailed},
        {"sbc encode, unreadable", PcmToSbc, directory, out, VoiceStatus::InputReadFailed},
        {"oki encode, disk full", PcmToOki, in, "/dev/full", VoiceStatus::OutputWriteFailed},
        {"sbc decode, disk full", SbcToPcm, in, "/dev/full", VoiceStatus::OutputWriteFailed},
        {"wave write, disk full", PcmToWave, in, "/dev/full", VoiceStatus::OutputWriteFailed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.convert(c.from.c_str(), c.to.c_str()), c.expected) << c.what;
    EXPECT_EQ(CreateEmptyWave(unwritable.c_str()), VoiceStatus::OutputOpenFailed);
}
