// The sound programs as real processes, started without a shell: small
// scripts stand in for the recorder and the editor, and a program that does
// not exist cannot be started. Playing here goes to ALSA's null device.

#include "PromptTestSupport.h"

#include "platform/SoundPlayback.h"
#include "prompts/VoiceItems.h"

#include <QFile>

#include <sys/stat.h>

using namespace prompttest;
using prompts::AaPromptItem;
using prompts::UploadAnswer;

namespace {

class SoundProgramsTest : public PromptTest {
protected:
    SoundProgramsTest() {
        // The real process starts and the real ALSA playback, not the test's stand-ins.
        ui::Hooks().startProcess = ui::DefaultHooks().startProcess;
        ui::Hooks().playSound = ui::DefaultHooks().playSound;
        setenv("ZAXMGR_SOUND_DEVICE", "null", 1);
    }
    ~SoundProgramsTest() override { unsetenv("ZAXMGR_SOUND_DEVICE"); }

    // An executable script in the files directory; its path has a blank in it.
    std::string Script(const std::string& name, const std::string& body) {
        const std::filesystem::path dir = File("sound programs");
        std::filesystem::create_directories(dir);
        const std::filesystem::path p = dir / name;
        std::ofstream(p) << "#!/bin/sh\n" << body;
        chmod(p.c_str(), 0755);
        return "\"" + p.string() + "\"";
    }

    zax::VoiceParameters parameters = sim->state().voice;
};

TEST_F(SoundProgramsTest, ARecorderScriptWritesTheWaveThatIsUploaded) {
    WriteWave(File("take.wav"), Glide(1.5));
    // The temporary file's name is one argument whatever it holds.
    setenv("TMPDIR", (temp.path().toStdString() + "/with blank; $(rm -rf x)").c_str(), 1);
    std::filesystem::create_directories(temp.path().toStdString() + "/with blank; $(rm -rf x)");
    settings.soundRecorder = Script("recorder", "[ $# -eq 1 ] || exit 3\ncp \"" +
                                                    File("take.wav").string() + "\" \"$1\"\n");
    answers = {UploadAnswer::Yes};
    AaPromptItem item(&parameters, 2, zax::AaPromptKind::Alternate, Context());
    ASSERT_EQ(item.Record(), 0u);
    EXPECT_EQ(sim->state().aaPrompts.at({2, 1}).size(), 6000u);
    EXPECT_TRUE(QDir(temp.path() + "/with blank; $(rm -rf x)").entryList(QDir::Files).isEmpty());
}

TEST_F(SoundProgramsTest, AnEditorScriptChangesTheDownloadedWave) {
    WriteWave(File("edit.wav"), Glide(0.5));
    // The editor keeps what it was given beside the edit, to show it got the recording.
    settings.soundEditor =
        Script("editor", "cp \"$1\" \"" + File("given.wav").string() + "\" && cp \"" +
                             File("edit.wav").string() + "\" \"$1\"\n");
    answers = {UploadAnswer::Yes};
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    const std::size_t before = sim->state().aaPrompts.at({1, 0}).size();
    ASSERT_EQ(item.Edit(), 0u);
    EXPECT_EQ(WaveSamples(File("given.wav")).size(), 2 * before);
    EXPECT_EQ(sim->state().aaPrompts.at({1, 0}).size(), 2000u);
    EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(SoundProgramsTest, AProgramThatCannotStartIsReported) {
    settings.soundPlayer = File("no such player").string();
    settings.soundRecorder = "";
    settings.soundEditor = "/nonexistent/editor --flag";
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    EXPECT_EQ(item.PlayExternally(), 65011u);
    EXPECT_EQ(item.Record(), 65012u);
    EXPECT_EQ(item.Edit(), 65013u);
    // A player that runs but fails still ran: nothing to report.
    settings.soundPlayer = "false";
    EXPECT_EQ(item.PlayExternally(), 0u);
    EXPECT_TRUE(LeftOver().isEmpty());
}

TEST_F(SoundProgramsTest, PlaysToTheNullDevice) {
    AaPromptItem item(&parameters, 1, zax::AaPromptKind::Primary, Context());
    EXPECT_EQ(item.PlayInternally(), 0u);
    // Not a wave, and a device that does not exist.
    WriteFile(File("noise.wav"), Blob(100, 7));
    EXPECT_FALSE(platform::PlayWaveFile(File("noise.wav").string(), "null"));
    WriteWave(File("short.wav"), Glide(0.1));
    EXPECT_TRUE(platform::PlayWaveFile(File("short.wav").string(), "null"));
    EXPECT_FALSE(platform::PlayWaveFile(File("short.wav").string(), "no_such_device_here"));
}

} // namespace
