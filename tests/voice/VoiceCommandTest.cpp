// zaxvoice: formats by extension, the conversion paths, exit codes and messages.
#include "voice/VoiceCommand.h"
#include "Signals.h"
#include "voice/CodecFiles.h"
#include "voice/VoiceConversion.h"
#include "voice/VoiceStatusText.h"
#include "voice/WaveFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

using namespace voice;
using voicetest::ReadBytes;
using voicetest::ScratchDir;

namespace {

int RunZaxvoice(const std::filesystem::path& in, const std::filesystem::path& out) {
    const std::string a = in.string();
    const std::string b = out.string();
    const std::array<const char*, 3> argv = {"zaxvoice", a.c_str(), b.c_str()};
    return RunVoiceCommand(3, argv.data());
}

} // namespace

TEST(VoiceCommand, FormatsByExtension) {
    struct Case {
        const char* path;
        std::optional<CommandFormat> format;
    };
    const Case cases[] = {
        {"a.wav", CommandFormat::Wave}, {"dir.x/B.WAV", CommandFormat::Wave},
        {"p.oki", CommandFormat::Oki},  {"p.Sbc", CommandFormat::Sbc},
        {"p.pcm", CommandFormat::Pcm},  {"p.vox", std::nullopt},
        {"wav", std::nullopt},          {"p.wav.txt", std::nullopt},
        {"s.MP3", CommandFormat::Sound}, {"s.flac", CommandFormat::Sound},
        {"s.ogg", CommandFormat::Sound}, {"s.opus", CommandFormat::Sound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFromPath(c.path), c.format) << c.path;
    // Other sound files are only read.
    EXPECT_EQ(ConvertFile("in.wav", CommandFormat::Wave, "out.mp3", CommandFormat::Sound),
              VoiceStatus::UnsupportedFormat);
}

TEST(VoiceCommand, EveryPairTakesTheProgramsPath) {
    ScratchDir dir;
    voicetest::WritePcm(dir / "s.pcm", voicetest::SpeechLike(3000));
    ASSERT_EQ(PcmToWave((dir / "s.pcm").c_str(), (dir / "s.wav").c_str()), VoiceStatus::Success);
    ASSERT_EQ(PcmToOki((dir / "s.pcm").c_str(), (dir / "s.oki").c_str()), VoiceStatus::Success);
    ASSERT_EQ(PcmToSbc((dir / "s.pcm").c_str(), (dir / "s.sbc").c_str()), VoiceStatus::Success);
    struct Case {
        const char* in;
        const char* out;
        StepFunction reference; // nullptr: the output is a copy of the input
    };
    const Case cases[] = {
        {"s.wav", "o.oki", WaveToOki}, {"s.wav", "o.sbc", WaveToSbc}, {"s.oki", "o.wav", OkiToWave},
        {"s.oki", "o.sbc", OkiToSbc},  {"s.sbc", "o.wav", SbcToWave}, {"s.sbc", "o.oki", SbcToOki},
        {"s.wav", "o.pcm", WaveToPcm}, {"s.oki", "o.pcm", OkiToPcm},  {"s.sbc", "o.pcm", SbcToPcm},
        {"s.pcm", "o.wav", PcmToWave}, {"s.pcm", "o.oki", PcmToOki},  {"s.pcm", "o.sbc", PcmToSbc},
        {"s.oki", "o.oki", nullptr},   {"s.sbc", "o.sbc", nullptr},   {"s.pcm", "o.pcm", nullptr},
        {"s.wav", "o.wav", PcmToWave}, // re-written in the program's own header form
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RunZaxvoice(dir / c.in, dir / c.out), 0) << c.in << " -> " << c.out;
        const auto out = ReadBytes(dir / c.out);
        if (c.reference == nullptr) {
            EXPECT_EQ(out, ReadBytes(dir / c.in)) << c.in << " -> " << c.out;
            continue;
        }
        const std::filesystem::path source =
            std::string(c.in) == "s.wav" && std::string(c.out) == "o.wav" ? dir / "s.pcm"
                                                                          : dir / c.in;
        ASSERT_EQ(c.reference(source.c_str(), (dir / "ref").c_str()), VoiceStatus::Success);
        EXPECT_EQ(out, ReadBytes(dir / "ref")) << c.in << " -> " << c.out;
    }
}

TEST(VoiceCommand, ExitCodes) {
    ScratchDir dir;
    voicetest::WritePcm(dir / "s.pcm", voicetest::Tone(440, 1000, 800));
    EXPECT_EQ(RunZaxvoice(dir / "missing.oki", dir / "o.pcm"), 1);
    EXPECT_EQ(RunZaxvoice(dir / "s.pcm", dir / "no" / "o.oki"), 1);
    EXPECT_EQ(RunZaxvoice(dir / "s.pcm", dir / "o.mp3"), 2);
    EXPECT_EQ(RunZaxvoice(dir / "s.pcm", dir / "s.pcm"), 2);
    const std::array<const char*, 2> tooFew = {"zaxvoice", "x.wav"};
    EXPECT_EQ(RunVoiceCommand(2, tooFew.data()), 2);
}

TEST(VoiceCommand, BinaryPrintsStatusAndMessage) {
    ScratchDir dir;
    const std::string command = std::string(ZAXVOICE_PATH) + " '" + (dir / "missing.sbc").string() +
                                "' '" + (dir / "o.wav").string() + "' 2>&1";
    FILE* p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string text;
    std::array<char, 256> buf{};
    while (std::fgets(buf.data(), int(buf.size()), p) != nullptr)
        text += buf.data();
    const int status = pclose(p);
    EXPECT_NE(status, 0);
    EXPECT_NE(text.find("5000"), std::string::npos) << text;
    EXPECT_NE(text.find("could not be opened for reading"), std::string::npos) << text;
}

TEST(VoiceCommand, StatusTexts) {
    EXPECT_EQ(VoiceStatusText(VoiceStatus::TempFileFailed),
              "A voice conversion error has occurred. A temporary file could not be created.");
    EXPECT_EQ(VoiceStatusText(static_cast<VoiceStatus>(1234)),
              "An unexpected voice conversion error has occurred.\n\nThe errorcode is 1234.");
}
