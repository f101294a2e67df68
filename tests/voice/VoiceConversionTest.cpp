// Two-step conversions, their temporary files, and the choice between converting and copying.
#include "voice/VoiceConversion.h"
#include "Signals.h"
#include "voice/CodecFiles.h"
#include "voice/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <list>

using namespace voice;
using voicetest::ReadBytes;
using voicetest::ScratchDir;

namespace {

// Points $TMPDIR at a directory of its own for one test and restores it afterwards.
class TmpDirOverride {
public:
    explicit TmpDirOverride(const std::filesystem::path& dir) {
        if (const char* old = std::getenv("TMPDIR"))
            old_ = old;
        setenv("TMPDIR", dir.c_str(), 1);
    }
    ~TmpDirOverride() {
        if (old_.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", old_.c_str(), 1);
    }

private:
    std::string old_;
};

std::size_t FilesIn(const std::filesystem::path& dir) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dir), {}));
}

class VoiceConversion : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir / "tmp");
        voicetest::WritePcm(dir / "speech.pcm", voicetest::SpeechLike(6000));
        ASSERT_EQ(PcmToWave((dir / "speech.pcm").c_str(), Path("speech.wav")),
                  VoiceStatus::Success);
        ASSERT_EQ(PcmToOki((dir / "speech.pcm").c_str(), Path("speech.oki")), VoiceStatus::Success);
        ASSERT_EQ(PcmToSbc((dir / "speech.pcm").c_str(), Path("speech.sbc")), VoiceStatus::Success);
    }
    const char* Path(const std::string& name) {
        names_.push_back((dir / name).string());
        return names_.back().c_str();
    }

    ScratchDir dir;
    std::list<std::string> names_;
};

} // namespace

TEST_F(VoiceConversion, TwoStepsEqualTheirStepsAndLeaveNoTemporaryFile) {
    const TmpDirOverride tmp(dir / "tmp");
    struct Case {
        const char* what;
        StepFunction twoStep;
        StepFunction first;
        StepFunction second;
        const char* input;
    };
    const Case cases[] = {
        {"SBC to OKI", SbcToOki, SbcToPcm, PcmToOki, "speech.sbc"},
        {"SBC to wave", SbcToWave, SbcToPcm, PcmToWave, "speech.sbc"},
        {"OKI to SBC", OkiToSbc, OkiToPcm, PcmToSbc, "speech.oki"},
        {"OKI to wave", OkiToWave, OkiToPcm, PcmToWave, "speech.oki"},
        {"wave to SBC", WaveToSbc, WaveToPcm, PcmToSbc, "speech.wav"},
        {"wave to OKI", WaveToOki, WaveToPcm, PcmToOki, "speech.wav"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.twoStep(Path(c.input), Path("two.out")), VoiceStatus::Success) << c.what;
        EXPECT_EQ(FilesIn(dir / "tmp"), 0U) << c.what;
        ASSERT_EQ(c.first(Path(c.input), Path("linear.pcm")), VoiceStatus::Success);
        ASSERT_EQ(c.second(Path("linear.pcm"), Path("direct.out")), VoiceStatus::Success);
        EXPECT_EQ(ReadBytes(dir / "two.out"), ReadBytes(dir / "direct.out")) << c.what;
        // A failing first step still removes the temporary file.
        EXPECT_EQ(c.twoStep(Path("missing"), Path("two.out")), VoiceStatus::InputOpenFailed);
        EXPECT_EQ(FilesIn(dir / "tmp"), 0U) << c.what;
    }
}

TEST_F(VoiceConversion, NoTemporaryDirectory) {
    const TmpDirOverride tmp(dir / "does-not-exist");
    EXPECT_EQ(OkiToSbc(Path("speech.oki"), Path("out.sbc")), VoiceStatus::TempFileFailed);
}

TEST_F(VoiceConversion, SelectionTable) {
    const TmpDirOverride tmp(dir / "tmp");
    using F = VoiceFileFormat;
    using S = ServerVoiceFormat;
    struct Case {
        F file;
        S server;
        const char* local;
        const char* serverFile;
        StepFunction upload; // nullptr: a byte-for-byte copy
        StepFunction download;
    };
    const Case cases[] = {
        {F::Wave, S::OkiAdpcm, "speech.wav", "speech.oki", WaveToOki, OkiToWave},
        {F::Wave, S::Sbc, "speech.wav", "speech.sbc", WaveToSbc, SbcToWave},
        {F::RawOki, S::OkiAdpcm, "speech.oki", "speech.oki", nullptr, nullptr},
        {F::RawOki, S::Sbc, "speech.oki", "speech.sbc", OkiToSbc, SbcToOki},
        {F::RawSbc, S::OkiAdpcm, "speech.sbc", "speech.oki", SbcToOki, OkiToSbc},
        {F::RawSbc, S::Sbc, "speech.sbc", "speech.sbc", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(ConvertToServerFormat(Path(c.local), c.file, c.server, Path("up")),
                  VoiceStatus::Success);
        if (c.upload == nullptr) {
            EXPECT_EQ(ReadBytes(dir / "up"), ReadBytes(dir / c.local));
        } else {
            ASSERT_EQ(c.upload(Path(c.local), Path("expected")), VoiceStatus::Success);
            EXPECT_EQ(ReadBytes(dir / "up"), ReadBytes(dir / "expected"));
        }
        ASSERT_EQ(ConvertFromServerFormat(Path(c.serverFile), c.server, c.file, Path("down")),
                  VoiceStatus::Success);
        if (c.download == nullptr) {
            EXPECT_EQ(ReadBytes(dir / "down"), ReadBytes(dir / c.serverFile));
        } else {
            ASSERT_EQ(c.download(Path(c.serverFile), Path("expected")), VoiceStatus::Success);
            EXPECT_EQ(ReadBytes(dir / "down"), ReadBytes(dir / "expected"));
        }
    }
    EXPECT_EQ(FilesIn(dir / "tmp"), 0U);
}

TEST_F(VoiceConversion, UnsupportedCombinationsAndFailedCopies) {
    const auto badServer = static_cast<ServerVoiceFormat>(3);
    const auto badFile = static_cast<VoiceFileFormat>(148);
    EXPECT_EQ(
        ConvertToServerFormat(Path("speech.wav"), VoiceFileFormat::Wave, badServer, Path("out")),
        VoiceStatus::UnsupportedFormat);
    EXPECT_EQ(ConvertFromServerFormat(Path("speech.oki"), ServerVoiceFormat::OkiAdpcm, badFile,
                                      Path("out")),
              VoiceStatus::UnsupportedFormat);
    EXPECT_EQ(ConvertToServerFormat(Path("missing"), VoiceFileFormat::RawOki,
                                    ServerVoiceFormat::OkiAdpcm, Path("out")),
              VoiceStatus::CopyFailed);
    EXPECT_EQ(ConvertFromServerFormat(Path("speech.sbc"), ServerVoiceFormat::Sbc,
                                      VoiceFileFormat::RawSbc, Path("no/such/dir")),
              VoiceStatus::CopyFailed);
}
