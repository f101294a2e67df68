// Interoperability with the OKI ADPCM ("vox") that other tools write, using SoX.
#include "Signals.h"
#include "voice/CodecFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace voice;
using voicetest::ReadPcm;
using voicetest::ScratchDir;
using voicetest::Snr;

namespace {

constexpr const char* kSox = "/usr/bin/sox";

bool RunShell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

std::string Quote(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

struct Signal {
    const char* what;
    std::vector<std::int16_t> pcm;
};

std::vector<Signal> Signals() {
    return {{"1 kHz tone", voicetest::Tone(1000, 8000, 16000)},
            {"speech-like", voicetest::SpeechLike(16000)}};
}

} // namespace

TEST(SoxInterop, VoxFromSoxDecodesHere) {
    if (!std::filesystem::exists(kSox))
        GTEST_SKIP() << "sox is not installed";
    ScratchDir dir;
    for (const Signal& s : Signals()) {
        voicetest::WritePcm(dir / "in.pcm", s.pcm);
        ASSERT_TRUE(RunShell(std::string(kSox) + " -t raw -r 8000 -e signed-integer -b 16 -c 1 " +
                             Quote(dir / "in.pcm") + " -t vox -r 8000 " + Quote(dir / "sox.vox")))
            << s.what;
        ASSERT_EQ(OkiToPcm((dir / "sox.vox").c_str(), (dir / "out.pcm").c_str()),
                  VoiceStatus::Success);
        const auto decoded = ReadPcm(dir / "out.pcm");
        ASSERT_EQ(decoded.size(), s.pcm.size()) << s.what;
        const double snr = Snr(s.pcm, decoded, 0, 800, s.pcm.size());
        std::printf("SoX vox -> here, %-12s SNR %.2f dB\n", s.what, snr);
        EXPECT_GE(snr, 18.0) << s.what;
    }
}

TEST(SoxInterop, OkiFromHereDecodesInSox) {
    if (!std::filesystem::exists(kSox))
        GTEST_SKIP() << "sox is not installed";
    // SoX's decoder rounds each step's difference on its own and removes no mean, so its
    // predictor walks away from ours; the figures are reported, the length must agree.
    ScratchDir dir;
    for (const Signal& s : Signals()) {
        voicetest::WritePcm(dir / "in.pcm", s.pcm);
        ASSERT_EQ(PcmToOki((dir / "in.pcm").c_str(), (dir / "ours.vox").c_str()),
                  VoiceStatus::Success);
        ASSERT_TRUE(RunShell(std::string(kSox) + " -t vox -r 8000 " + Quote(dir / "ours.vox") +
                             " -t raw -e signed-integer -b 16 " + Quote(dir / "out.pcm")));
        const auto decoded = ReadPcm(dir / "out.pcm");
        ASSERT_EQ(decoded.size(), s.pcm.size()) << s.what;
        const double snr = Snr(s.pcm, decoded, 0, 800, s.pcm.size());
        std::printf("here -> SoX vox, %-12s SNR %.2f dB\n", s.what, snr);
        RecordProperty(s.what[0] == '1' ? "snr_tone_db" : "snr_speech_db", std::to_string(snr));
    }
}
