#include "voice/SbcCodec.h"
#include "Signals.h"
#include "voice/SbcFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>

using namespace voice;
using voicetest::Snr;

namespace {

// The codec's end-to-end alignment: the 240-sample priming, the 450-sample delay of the two
// filter trees and the 225 samples the decoder drops put input sample i + 15 at output i.
constexpr long kCodecLag = -15;

std::vector<std::uint16_t> Encode(const std::vector<std::int16_t>& pcm) {
    auto st = std::make_unique<SbcCodecState>();
    std::size_t n = 0;
    EXPECT_EQ(SbcEncodeBlock(pcm, BlockKind::Only, st.get(), {}, &n), VoiceStatus::Success);
    std::vector<std::uint16_t> out(n);
    EXPECT_EQ(SbcEncodeBlock(pcm, BlockKind::Only, st.get(), out, &n), VoiceStatus::Success);
    out.resize(n);
    return out;
}

std::vector<std::int16_t> Decode(const std::vector<std::uint16_t>& words) {
    auto st = std::make_unique<SbcCodecState>();
    std::size_t n = 0;
    EXPECT_EQ(SbcDecodeBlock(words, BlockKind::Only, st.get(), {}, &n), VoiceStatus::Success);
    std::vector<std::int16_t> out(n);
    EXPECT_EQ(SbcDecodeBlock(words, BlockKind::Only, st.get(), out, &n), VoiceStatus::Success);
    out.resize(n);
    return out;
}

} // namespace

// Worked by hand: x = peak + 66 (32767 from 32701 up), doubled to at least 8192 while e drops
// from 112 by 16, then e plus the four bits below the leading one, divided by 8.
TEST(SbcCodec, ScaleFactorGoldenValues) {
    const std::array<std::pair<int, int>, 9> cases = {{{0, 0},
                                                       {61, 1},
                                                       {62, 2},
                                                       {334, 5},
                                                       {8125, 13},
                                                       {8126, 14},
                                                       {14000, 15},
                                                       {16318, 14},
                                                       {32701, 15}}};
    for (const auto& [peak, sf] : cases)
        EXPECT_EQ(SbcScaleFactor(peak), sf) << "peak " << peak;
}

// A frame with a few non-zero sub-band samples, packed and unpacked by hand:
// sub-band 0 slot 0 = 100: v = 400, sf 5 (Q 448), code 2 -> bits 0101 10 -> word 0 = 0x5800.
// sub-band 2 slot 8 = -1000: v = -2000, sf 10 (Q 3008), code 1+8+2 = 11; sub-band 2 is fourth
// in the order, so its scale factor ends word 3 of the second half and its first code opens
// word 4.
// Sub-band 0 slot 1 = 56 sits exactly on the 2-bit threshold (224 = 448/2): code 0.
// Sub-band 1 (4-bit, seventh in the order, from bit 136 of the first half) gets a
// peak of 1000 (v = 2000, sf 10, Q 3008, thresholds a 1504, b 752, c 376) and then values
// exactly on the thresholds: v = 1504 -> g1 0, g2 1, g3 1 (code 6); v = 1128 = f + c -> code 4;
// v = 376 = f - c -> code 0. Scale factor and first code fill word 8's low byte (0xAA), the
// next codes word 9 (0x6400).
TEST(SbcCodec, FrameGoldenVector) {
    std::array<std::int16_t, 256> bands{};
    bands[0 * 16 + 0] = 100;
    bands[0 * 16 + 1] = 56;
    bands[1 * 16 + 0] = 1000;
    bands[1 * 16 + 1] = 752;
    bands[1 * 16 + 2] = 564;
    bands[1 * 16 + 3] = 188;
    bands[2 * 16 + 8] = -1000;
    bands[14 * 16 + 0] = -1; // v = -16: sf 0, code 1 (sign only), at bits 120-121 -> 0x0040
    std::array<std::uint16_t, 36> words{};
    SbcPackFrame(bands.data(), words.data());
    std::array<std::uint16_t, 36> expected{};
    expected[0] = 0x5800;
    expected[7] = 0x0040;
    expected[8] = 0x00AA;
    expected[9] = 0x6400;
    expected[18 + 3] = 0x000A;
    expected[18 + 4] = 0xB000;
    EXPECT_EQ(words, expected);

    std::array<std::int16_t, 256> back{};
    SbcUnpackFrame(words.data(), back.data());
    EXPECT_EQ(back[0], 84);             // (2 + 1) * 448/4 = 336, / 4
    EXPECT_EQ(back[1], 28);             // (0 + 1) * 112 / 4
    EXPECT_EQ(back[8], 2);              // scale factor 0: 32/4 / 4
    EXPECT_EQ(back[2 * 16 + 8], -1034); // -(11 * 3008/16) / 2
    EXPECT_EQ(back[2 * 16 + 9], 94);    // (0 + 1) * 188 / 2
    EXPECT_EQ(back[9 * 16 + 3], 0);     // sub-bands 8-11 are not coded
    EXPECT_EQ(back[14 * 16 + 1], 0);    // 8 >> 4
    EXPECT_EQ(back[14 * 16 + 0], -1);   // -8 >> 4 rounds toward negative infinity
    // Sub-band 1: (code + 1) * 188 / 2 for codes 10, 6, 4, 0.
    EXPECT_EQ(back[1 * 16 + 0], 1034);
    EXPECT_EQ(back[1 * 16 + 1], 658);
    EXPECT_EQ(back[1 * 16 + 2], 470);
    EXPECT_EQ(back[1 * 16 + 3], 94);
}

TEST(SbcCodec, SilenceCodesToZeroWords) {
    // Peak 0 gives scale factor 0 and every code 0; the last block adds one flush frame.
    const std::vector<std::int16_t> silence(240 + 256, 0);
    EXPECT_EQ(Encode(silence), std::vector<std::uint16_t>(72, 0));
}

TEST(SbcCodec, FrameCountsAndDecodedLengths) {
    struct Case {
        std::size_t samples;
        std::size_t frames;
    };
    // 240 priming samples, whole frames, then a frame for a remainder over 16, then the final one.
    const Case cases[] = {{240, 1},      {256, 1},       {240 + 16, 1},
                          {240 + 17, 2}, {240 + 256, 2}, {240 + 512 + 100, 4},
                          {8000, 32}};
    for (const Case& c : cases) {
        const auto words = Encode(voicetest::Tone(440, 3000, c.samples));
        EXPECT_EQ(words.size(), c.frames * 36) << c.samples;
        // Every frame decodes to 256 samples: 31 from the first, 225 from the flush.
        EXPECT_EQ(Decode(words).size(), c.frames * 256) << c.samples;
    }
}

TEST(SbcCodec, StatusesAndSizeQuery) {
    const std::vector<std::int16_t> pcm496(496, 10);
    const std::vector<std::int16_t> pcm239(239, 10);
    const std::vector<std::int16_t> pcm300(300, 10);
    const std::vector<std::uint16_t> words72(72, 0);
    const std::vector<std::uint16_t> words80(80, 0);
    const std::vector<std::uint16_t> words20(20, 0);
    std::array<std::uint16_t, 71> shortWords{};
    using Call = std::function<VoiceStatus(SbcCodecState&, std::size_t*)>;
    struct Case {
        const char* what;
        VoiceStatus expected;
        std::size_t size;
        Call call;
    };
    const Case cases[] = {
        {"encode first query", VoiceStatus::Success, 36 + 72,
         [&](auto& st, auto* n) { return SbcEncodeBlock(pcm496, BlockKind::First, &st, {}, n); }},
        {"encode first not 240 mod 256", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcEncodeBlock(pcm300, BlockKind::First, &st, {}, n); }},
        {"encode middle not whole frames", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcEncodeBlock(pcm300, BlockKind::Middle, &st, {}, n); }},
        {"encode only below 240", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcEncodeBlock(pcm239, BlockKind::Only, &st, {}, n); }},
        {"encode only empty", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcEncodeBlock({}, BlockKind::Only, &st, {}, n); }},
        {"encode last empty", VoiceStatus::Success, 72,
         [&](auto& st, auto* n) { return SbcEncodeBlock({}, BlockKind::Last, &st, {}, n); }},
        {"encode output too small", VoiceStatus::CodecOutputTooSmall, 0,
         [&](auto& st, auto* n) {
             return SbcEncodeBlock(pcm496, BlockKind::Only, &st, shortWords, n);
         }},
        {"encode unknown kind", VoiceStatus::CodecBadKind, 0,
         [&](auto& st, auto* n) {
             return SbcEncodeBlock(pcm496, static_cast<BlockKind>(-1), &st, {}, n);
         }},
        {"encode no size", VoiceStatus::CodecMissingArgument, 0,
         [&](auto& st, auto*) {
             return SbcEncodeBlock(pcm496, BlockKind::Only, &st, {}, nullptr);
         }},
        {"decode first query", VoiceStatus::Success, 3 * 256,
         [&](auto& st, auto* n) { return SbcDecodeBlock(words72, BlockKind::First, &st, {}, n); }},
        {"decode first partial frame", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcDecodeBlock(words80, BlockKind::First, &st, {}, n); }},
        {"decode middle empty", VoiceStatus::CodecEmptyInput, 0,
         [&](auto& st, auto* n) { return SbcDecodeBlock({}, BlockKind::Middle, &st, {}, n); }},
        {"decode only shorter than a frame", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return SbcDecodeBlock(words20, BlockKind::Only, &st, {}, n); }},
        {"decode only partial tail", VoiceStatus::Success, 3 * 256,
         [&](auto& st, auto* n) { return SbcDecodeBlock(words80, BlockKind::Only, &st, {}, n); }},
        // Two frames, a padded partial one and the 225-sample tail: more than (80/36 + 1) * 256.
        {"decode last partial tail", VoiceStatus::Success, 3 * 256 + 225,
         [&](auto& st, auto* n) { return SbcDecodeBlock(words80, BlockKind::Last, &st, {}, n); }},
        {"decode last empty", VoiceStatus::Success, 256,
         [&](auto& st, auto* n) { return SbcDecodeBlock({}, BlockKind::Last, &st, {}, n); }},
    };
    for (const Case& c : cases) {
        auto st = std::make_unique<SbcCodecState>();
        std::size_t n = 0;
        EXPECT_EQ(c.call(*st, &n), c.expected) << c.what;
        if (c.expected == VoiceStatus::Success) {
            EXPECT_EQ(n, c.size) << c.what;
        }
    }
}

TEST(SbcCodec, DecodedOutputNeverExceedsTheQueriedSize) {
    const std::vector<std::uint16_t> words80(80, 0x1234);
    for (const BlockKind kind : {BlockKind::Last, BlockKind::Only}) {
        auto st = std::make_unique<SbcCodecState>();
        std::size_t needed = 0;
        ASSERT_EQ(SbcDecodeBlock(words80, kind, st.get(), {}, &needed), VoiceStatus::Success);
        std::vector<std::int16_t> out(needed);
        std::size_t made = 0;
        ASSERT_EQ(SbcDecodeBlock(words80, kind, st.get(), out, &made), VoiceStatus::Success);
        EXPECT_LE(made, needed);
    }
}

TEST(SbcCodec, BlocksContinueTheStream) {
    const auto pcm = voicetest::SpeechLike(240 + 1024 * 3 + 500);
    const auto once = Encode(pcm);
    auto st = std::make_unique<SbcCodecState>();
    std::vector<std::uint16_t> joined;
    std::size_t offset = 0;
    const std::pair<std::size_t, BlockKind> blocks[] = {{240, BlockKind::First},
                                                        {1024, BlockKind::Middle},
                                                        {1024, BlockKind::Middle},
                                                        {1024, BlockKind::Middle},
                                                        {500, BlockKind::Last}};
    for (const auto& [count, kind] : blocks) {
        std::vector<std::uint16_t> out(256);
        std::size_t n = 0;
        ASSERT_EQ(SbcEncodeBlock(std::span(pcm).subspan(offset, count), kind, st.get(), out, &n),
                  VoiceStatus::Success);
        joined.insert(joined.end(), out.begin(), out.begin() + long(n));
        offset += count;
    }
    EXPECT_EQ(joined, once);
}

TEST(SbcCodec, RoundTripQualityAndAlignment) {
    struct Case {
        const char* what;
        std::vector<std::int16_t> pcm;
        double minSnr;
    };
    // A broken filter tap, quantiser threshold or bit position costs far more than these margins.
    const Case cases[] = {
        {"1 kHz tone", voicetest::Tone(1000, 8000, 16000), 16.0},
        {"500 Hz tone", voicetest::Tone(500, 8000, 16000), 23.0},
        {"speech-like", voicetest::SpeechLike(16000), 17.0},
    };
    for (const Case& c : cases) {
        const auto decoded = Decode(Encode(c.pcm));
        ASSERT_GE(decoded.size(), c.pcm.size());
        const std::size_t from = 800;
        const std::size_t to = c.pcm.size() - 800;
        const double snr = Snr(c.pcm, decoded, kCodecLag, from, to);
        EXPECT_GE(snr, c.minSnr) << c.what;
        std::printf("SBC round trip %-12s SNR %.2f dB\n", c.what, snr);
    }
    // On a signal without periodicity the best alignment must be exactly the codec's lag.
    const auto speech = voicetest::SpeechLike(16000);
    const auto decoded = Decode(Encode(speech));
    long best = 0;
    double bestSnr = -1e9;
    for (long lag = -40; lag <= 40; ++lag) {
        const double snr = Snr(speech, decoded, lag, 800, 15000);
        if (snr > bestSnr) {
            bestSnr = snr;
            best = lag;
        }
    }
    EXPECT_EQ(best, kCodecLag);
}

TEST(SbcCodec, LoudInputSaturatesCleanly) {
    // Full-scale square waves push every stage to its limits; nothing may overflow (the
    // sanitizer build checks) and the output must keep the input's polarity.
    std::vector<std::int16_t> pcm(4096);
    for (std::size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = (i / 20) % 2 == 0 ? std::int16_t{32767} : std::int16_t{-32768};
    const auto decoded = Decode(Encode(pcm));
    EXPECT_GT(Snr(pcm, decoded, kCodecLag, 800, 3000), 1.0);
}
