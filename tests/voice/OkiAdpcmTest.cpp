#include "voice/OkiAdpcm.h"
#include "Signals.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>

using namespace voice;
using voicetest::Snr;

namespace {

std::vector<std::uint8_t> Encode(const std::vector<std::int16_t>& pcm, BlockKind kind,
                                 OkiAdpcmState& st) {
    std::vector<std::uint8_t> out(pcm.size() / 2 + 1);
    std::size_t n = 0;
    EXPECT_EQ(OkiEncodeBlock(pcm, kind, &st, out, &n), VoiceStatus::Success);
    out.resize(n);
    return out;
}

std::vector<std::int16_t> Decode(const std::vector<std::uint8_t>& oki, BlockKind kind,
                                 OkiAdpcmState& st) {
    std::vector<std::int16_t> out(oki.size() * 2);
    std::size_t n = 0;
    EXPECT_EQ(OkiDecodeBlock(oki, kind, &st, out, &n), VoiceStatus::Success);
    out.resize(n);
    return out;
}

} // namespace

// Vectors worked out by hand from the step table and the coding rules.
TEST(OkiAdpcm, EncoderGoldenVectors) {
    struct Case {
        std::vector<std::int16_t> pcm;
        std::vector<std::uint8_t> oki;
    };
    const Case cases[] = {
        // 256 >> 4 = 16 = step: code 4, predictor 18, index 2; then d = -2: code 8.
        {{256, 256}, {0x48}},
        // Odd count: the missing second sample is coded as zero (d = -18 at step 19: code 11).
        {{256}, {0x4B}},
        // Silence from a fresh encoder: d = 0 gives code 0, and the predictor creeps by step/8.
        {{0, 0, 0, 0}, {0x08, 0x08}},
        // Only the top 12 bits count: 15 >> 4 == 0.
        {{15, -1}, {0x08}},
    };
    for (const Case& c : cases) {
        OkiAdpcmState st;
        EXPECT_EQ(Encode(c.pcm, BlockKind::Only, st), c.oki);
    }
}

TEST(OkiAdpcm, DecoderGoldenVectorsAfterWarmUp) {
    // After the 48 warm-up samples the predictor is -1 at index 0 and the mean is zero.
    // Code 4: -1 + 2 + 16 = 17 -> 272; code 4 at step 19: 17 + 21 = 38, mean 17/49 = 0 -> 608.
    OkiAdpcmState st;
    EXPECT_EQ(Decode({0x44}, BlockKind::Only, st), (std::vector<std::int16_t>{272, 608}));
    EXPECT_EQ(st.historySlot, 48);
    EXPECT_EQ(st.runningSum, 38);
    EXPECT_EQ(st.stepIndex, 4);
    // Code 0 from a fresh state: -1 + 2 = 1 -> 16; code 8: 1 - 2 = -1, minus 1/49 -> -16.
    OkiAdpcmState st2;
    EXPECT_EQ(Decode({0x08}, BlockKind::First, st2), (std::vector<std::int16_t>{16, -16}));
}

// A full-scale square burst climbs the step table by 8 per code up to its last entry (index
// 48, step 1552) and, from index 46, is clamped there again. Worked by hand from the table:
// a table cut one short (1411 at the top) changes every code and sample from the 7th on.
TEST(OkiAdpcm, FullScaleDrivesTheStepIndexToTheTopOfTheTable) {
    const std::vector<std::int16_t> burst = {32767,  32767,  32767, 32767, -32768, -32768,
                                             -32768, -32768, 32767, 32767, 32767,  32767};
    // Encoder (x = 2047 or -2048, predictor from 0):
    //  code 7 at steps 16, 34, 73, 157 -> 30, 93, 229, 522, index 32
    //  code 15 at 337 -> -109; code 15 at 724 -> -1466, index 48
    //  code 9 at 1552 (d = -582: 194 + 388) -> -2048, index 47; code 0 at 1411 -> -1872, 46
    //  code 7 at 1282 -> 531, index 54 clamped to 48; code 3 at 1552 (d = 1516) -> 1889, 47
    //  code 0 at 1411 -> 2065, 46; code 8 at 1282 (d = -18) -> 1905
    const std::vector<std::uint8_t> oki = {0x77, 0x77, 0xff, 0x90, 0x73, 0x08};
    OkiAdpcmState enc;
    EXPECT_EQ(Encode(burst, BlockKind::Only, enc), oki);

    // Decoder (after the warm-up: predictor -1, index 0, and the running sum is the previous
    // value, so the mean taken off is previous / 49):
    //  29, 92, 228 - 1, 520 - 4, -115 - 10, -1482 - (-2)     (index 48 after the 6th code)
    //  -2062 clamped to -2047, + 30 = -2017; -1841 + 41 = -1800; 603 + 36 = 639 (index 48)
    //  1997 - 13 = 1984; 2160 clamped to 2047, - 40 = 2007; 1847 - 40 = 1807
    const std::vector<std::int16_t> pcm = {464,    1472,   3632,  8256,  -2000, -23680,
                                           -32272, -28800, 10224, 31744, 32112, 28912};
    OkiAdpcmState dec;
    EXPECT_EQ(Decode(oki, BlockKind::Only, dec), pcm);
}

TEST(OkiAdpcm, DecoderSaturatesInsteadOfWrapping) {
    // Mean removal lifts this stream's 14th sample just past 2047 (x16 > 32767).
    const std::vector<std::uint8_t> oki = {0x76, 0x9f, 0x5d, 0xac, 0x5c, 0xfc,
                                           0x47, 0x17, 0x0a, 0xe9, 0x23, 0xc0};
    OkiAdpcmState st;
    const auto pcm = Decode(oki, BlockKind::Only, st);
    EXPECT_EQ(pcm[13], 32767);
}

TEST(OkiAdpcm, BlocksContinueTheStream) {
    const auto pcm = voicetest::SpeechLike(4096);
    OkiAdpcmState whole;
    const auto once = Encode(pcm, BlockKind::Only, whole);
    OkiAdpcmState st;
    std::vector<std::int16_t> a(pcm.begin(), pcm.begin() + 240);
    std::vector<std::int16_t> b(pcm.begin() + 240, pcm.begin() + 1264);
    std::vector<std::int16_t> c(pcm.begin() + 1264, pcm.end());
    auto joined = Encode(a, BlockKind::First, st);
    for (const auto& part : {Encode(b, BlockKind::Middle, st), Encode(c, BlockKind::Last, st)})
        joined.insert(joined.end(), part.begin(), part.end());
    EXPECT_EQ(joined, once);

    OkiAdpcmState d1;
    OkiAdpcmState d2;
    const auto decodedOnce = Decode(once, BlockKind::Only, d1);
    std::vector<std::uint8_t> head(once.begin(), once.begin() + 100);
    std::vector<std::uint8_t> tail(once.begin() + 100, once.end());
    auto decodedParts = Decode(head, BlockKind::First, d2);
    const auto rest = Decode(tail, BlockKind::Last, d2);
    decodedParts.insert(decodedParts.end(), rest.begin(), rest.end());
    EXPECT_EQ(decodedParts, decodedOnce);
}

TEST(OkiAdpcm, StatusesAndSizeQuery) {
    const std::vector<std::int16_t> pcm(10, 100);
    const std::vector<std::int16_t> odd(9, 100);
    const std::vector<std::uint8_t> oki(7, 0x12);
    std::array<std::uint8_t, 4> fourBytes{};
    std::array<std::int16_t, 13> thirteenSamples{};
    using Call = std::function<VoiceStatus(OkiAdpcmState&, std::size_t*)>;
    struct Case {
        const char* what;
        VoiceStatus expected;
        std::size_t size; // the size stored by a successful call
        Call call;
    };
    const Case cases[] = {
        {"encode query", VoiceStatus::Success, 5,
         [&](auto& st, auto* n) { return OkiEncodeBlock(pcm, BlockKind::Only, &st, {}, n); }},
        {"encode odd final query", VoiceStatus::Success, 5,
         [&](auto& st, auto* n) { return OkiEncodeBlock(odd, BlockKind::Only, &st, {}, n); }},
        {"encode odd first", VoiceStatus::CodecBadLength, 0,
         [&](auto& st, auto* n) { return OkiEncodeBlock(odd, BlockKind::First, &st, {}, n); }},
        {"encode too small", VoiceStatus::CodecOutputTooSmall, 0,
         [&](auto& st, auto* n) {
             return OkiEncodeBlock(pcm, BlockKind::Only, &st, fourBytes, n);
         }},
        {"encode empty first", VoiceStatus::CodecEmptyInput, 0,
         [&](auto& st, auto* n) { return OkiEncodeBlock({}, BlockKind::First, &st, {}, n); }},
        {"encode empty last", VoiceStatus::Success, 0,
         [&](auto& st, auto* n) {
             st.initialised = 1;
             return OkiEncodeBlock({}, BlockKind::Last, &st, {}, n);
         }},
        {"encode middle unstarted", VoiceStatus::CodecNotStarted, 0,
         [&](auto& st, auto* n) { return OkiEncodeBlock(pcm, BlockKind::Middle, &st, {}, n); }},
        {"encode unknown kind", VoiceStatus::CodecBadKind, 0,
         [&](auto& st, auto* n) {
             return OkiEncodeBlock(pcm, static_cast<BlockKind>(4), &st, {}, n);
         }},
        {"encode no state", VoiceStatus::CodecMissingArgument, 0,
         [&](auto&, auto* n) { return OkiEncodeBlock(pcm, BlockKind::Only, nullptr, {}, n); }},
        {"decode query", VoiceStatus::Success, 14,
         [&](auto& st, auto* n) { return OkiDecodeBlock(oki, BlockKind::Only, &st, {}, n); }},
        {"decode too small", VoiceStatus::CodecOutputTooSmall, 0,
         [&](auto& st, auto* n) {
             return OkiDecodeBlock(oki, BlockKind::Only, &st, thirteenSamples, n);
         }},
        {"decode last unstarted", VoiceStatus::CodecNotStarted, 0,
         [&](auto& st, auto* n) { return OkiDecodeBlock(oki, BlockKind::Last, &st, {}, n); }},
        {"decode empty only", VoiceStatus::CodecEmptyInput, 0,
         [&](auto& st, auto* n) { return OkiDecodeBlock({}, BlockKind::Only, &st, {}, n); }},
        {"decode no size", VoiceStatus::CodecMissingArgument, 0,
         [&](auto& st, auto*) { return OkiDecodeBlock(oki, BlockKind::Only, &st, {}, nullptr); }},
    };
    for (const Case& c : cases) {
        OkiAdpcmState st;
        std::size_t n = 0;
        EXPECT_EQ(c.call(st, &n), c.expected) << c.what;
        if (c.expected == VoiceStatus::Success) {
            EXPECT_EQ(n, c.size) << c.what;
        }
    }
}

TEST(OkiAdpcm, NibbleOrderAndAlignment) {
    // OKI has no delay: a swapped nibble order or a shifted sample shows at once on a tone.
    const auto pcm = voicetest::Tone(1000, 12000, 8000);
    OkiAdpcmState enc;
    OkiAdpcmState dec;
    const auto decoded = Decode(Encode(pcm, BlockKind::Only, enc), BlockKind::Only, dec);
    const double aligned = Snr(pcm, decoded, 0, 800, 7990);
    for (const long lag : {-2L, -1L, 1L, 2L})
        EXPECT_GT(aligned, Snr(pcm, decoded, lag, 800, 7990) + 6.0) << lag;
}

TEST(OkiAdpcm, RoundTripQuality) {
    struct Case {
        const char* what;
        std::vector<std::int16_t> pcm;
        double minSnr;
    };
    const Case cases[] = {
        {"1 kHz tone", voicetest::Tone(1000, 12000, 16000), 17.0},
        {"speech-like", voicetest::SpeechLike(16000), 18.0},
    };
    for (const Case& c : cases) {
        OkiAdpcmState enc;
        OkiAdpcmState dec;
        const auto decoded = Decode(Encode(c.pcm, BlockKind::Only, enc), BlockKind::Only, dec);
        ASSERT_EQ(decoded.size(), c.pcm.size());
        const double snr = Snr(c.pcm, decoded, 0, 800, c.pcm.size());
        EXPECT_GE(snr, c.minSnr) << c.what;
        std::printf("OKI round trip %-12s SNR %.2f dB\n", c.what, snr);
    }
}
