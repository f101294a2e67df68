// Recorded prompts end to end: the real client stubs over loopback to the
// real zaxsim, in both byte orders and both server formats. A wave and an MP3
// go up through the Voice dialog and come back close to what they were; a
// name plays to ALSA's null device; a recorder script records a prompt; a
// restarted server still holds them all. Chunk writes that fail on the wire
// neither lose nor duplicate data, nor break the old recording.

#include "DialogTestSupport.h"
#include "LoopbackDialogs.h"
#include "PromptTestSupport.h"
#include "ZaxsimProcess.h"

#include "prompts/PromptsIds.h"
#include "prompts/VoiceDialog.h"
#include "prompts/VoiceItems.h"
#include "prompts/VoicePrompts.h"
#include "server/RetryProxy.h"
#include "ui/ResourceIds.h"

#include <QComboBox>
#include <sndfile.h>
#include <sys/stat.h>

using namespace prompttest;
using namespace prompts::VoiceCtl;
using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using prompts::UploadAnswer;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

// An MP3 of `samples` (8000 Hz) written at 44.1 kHz stereo, as music players make them.
bool WriteMp3(const std::filesystem::path& p, const std::vector<std::int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SNDFILE* f = sf_open(p.c_str(), SFM_WRITE, &info);
    if (f == nullptr)
        return false;
    std::vector<float> frames;
    const std::size_t n = samples.size() * 44100 / 8000;
    for (std::size_t i = 0; i < n; ++i) {
        // Linear interpolation is enough for a slow glide.
        const double at = static_cast<double>(i) * 8000 / 44100;
        const auto k = static_cast<std::size_t>(at);
        const double next = k + 1 < samples.size() ? samples[k + 1] : samples[k];
        const auto v =
            static_cast<float>((samples[k] + (next - samples[k]) * (at - double(k))) / 32768);
        frames.push_back(v);
        frames.push_back(v);
    }
    sf_writef_float(f, frames.data(), static_cast<sf_count_t>(n));
    sf_close(f);
    return true;
}

class PromptsOverLoopback : public loopback::DialogsOverLoopback {
protected:
    PromptsOverLoopback() : DialogsOverLoopback("prompts") {
        ui::Hooks().standardBox = [this](const QString&, const QString& text, ui::StandardBoxIcon) {
            boxes << text;
        };
        prompts::Hooks().askUpload = [](const QString&) { return UploadAnswer::Yes; };
        setenv("ZAXMGR_SOUND_DEVICE", "null", 1);
        setenv("TMPDIR", temp.path().toLocal8Bit().constData(), 1);
        EXPECT_TRUE(temp.isValid() && files.isValid());
    }
    ~PromptsOverLoopback() override {
        prompts::Hooks() = prompts::DefaultPromptHooks();
        unsetenv("ZAXMGR_SOUND_DEVICE");
        unsetenv("TMPDIR");
    }
    std::filesystem::path File(const std::string& name) const {
        return std::filesystem::path(files.path().toStdString()) / name;
    }
    QString Q(const std::string& name) const { return QString::fromStdString(File(name).string()); }

    // Uploads `file` into `prompt` through the Voice dialog as a wave, and
    // downloads it again as a wave.
    void UploadAndDownload(const prompts::VoicePrompt& prompt, const std::string& file,
                           const std::string& back, prompts::VoiceContext context) {
        WhenModal<prompts::VoiceDialog>([&](prompts::VoiceDialog& d) {
            TypeInto(d.Control(UploadPath), Q(file));
            auto* up = d.ControlAs<QComboBox>(UploadFormat);
            up->setCurrentIndex(up->findText("Wave Sound File"));
            ClickButton(d, UploadFrom);
            TypeInto(d.Control(DownloadPath), Q(back));
            auto* down = d.ControlAs<QComboBox>(DownloadFormat);
            down->setCurrentIndex(down->findText("Wave Sound File"));
            ClickButton(d, DownloadTo);
            ClickButton(d, ui::ControlId::Ok);
        });
        EXPECT_TRUE(prompts::EditVoicePrompt(prompt, nullptr, context));
    }

    // The recording as the server holds it, read in its own format.
    Blob ServerBytes(prompts::VoiceItem& item, const zax::VoiceParameters& p) {
        const voice::VoiceFileFormat own = p.ServerVoiceFormat == 1
                                               ? voice::VoiceFileFormat::RawOki
                                               : voice::VoiceFileFormat::RawSbc;
        EXPECT_EQ(item.Download(Q("raw"), own), 0u);
        return ReadFile(File("raw"));
    }

    QTemporaryDir temp;
    QTemporaryDir files;
    QStringList boxes;
    core::ClientSettings settings;
};

TEST_F(PromptsOverLoopback, PromptsGoUpAndComeBackInBothFormatsAndSurviveARestart) {
    const auto tone = Glide(3.0);
    WriteWave(File("tone.wav"), tone);
    const bool haveMp3 = WriteMp3(File("tone.mp3"), tone);
    WriteWave(File("take.wav"), Glide(1.0));
    const std::string recorder = File("record.sh").string();
    std::ofstream(recorder) << "#!/bin/sh\ncp \"" << File("take.wav").string() << "\" \"$1\"\n";
    chmod(recorder.c_str(), 0755);
    settings.soundRecorder = recorder;

    for (const char* format : {"oki", "sbc"})
        for (const char* byteOrder : {"", "--big-endian"}) {
            SCOPED_TRACE(std::string(format) + (*byteOrder ? " big-endian" : " little-endian"));
            std::filesystem::remove(stateFile);
            std::vector<std::string> args = Args(byteOrder);
            Blob primary, main, repeat;
            {
                std::vector<std::string> first = args;
                first.insert(first.end(), {"--voice-format", format});
                ZaxsimProcess sim(first);
                Connection admin(sim);
                zax::SessionHandle session;
                ASSERT_EQ(admin.server->OpenSession(session), 0);
                zax::RetryProxy proxy(*admin.server);
                const prompts::VoiceContext context{&proxy, &settings};
                const auto parameters = prompts::FetchVoiceParameters(context);
                ASSERT_TRUE(parameters);
                ASSERT_EQ(parameters->ServerVoiceFormat, std::string(format) == "oki" ? 1 : 2);
                const double minSnr = 18; // dB; both coders give about 24 on this glide

                UploadAndDownload(prompts::AaPrompt(3, zax::AaPromptKind::Primary), "tone.wav",
                                  "back.wav", context);
                EXPECT_GT(SnrDb(tone, WaveSamples(File("back.wav"))), minSnr);
                if (haveMp3) {
                    UploadAndDownload(prompts::SrPrompt(2, zax::SrPromptKind::Main), "tone.mp3",
                                      "mp3back.wav", context);
                    EXPECT_GT(SnrDb(tone, WaveSamples(File("mp3back.wav")), 700), minSnr - 3);
                }
                // A demo name, re-coded into this server's format, played to the null device.
                EXPECT_TRUE(prompts::IsDirectoryNameRecorded("2001", context));
                EXPECT_EQ(prompts::PlayDirectoryName("2001", context), 0u);

                prompts::SrPromptItem take(&*parameters, 2, zax::SrPromptKind::Repeat, context);
                ASSERT_EQ(take.Record(), 0u);
                prompts::AaPromptItem aa(&*parameters, 3, zax::AaPromptKind::Primary, context);
                prompts::SrPromptItem sr(&*parameters, 2, zax::SrPromptKind::Main, context);
                primary = ServerBytes(aa, *parameters);
                main = ServerBytes(sr, *parameters);
                repeat = ServerBytes(take, *parameters);
                EXPECT_EQ(admin.server->CloseSession(session), 0);
            }
            // Restarted without the option: the format and the recordings stay.
            ZaxsimProcess sim(args);
            Connection admin(sim);
            zax::RetryProxy proxy(*admin.server);
            const prompts::VoiceContext context{&proxy, &settings};
            const auto parameters = prompts::FetchVoiceParameters(context);
            ASSERT_TRUE(parameters);
            prompts::AaPromptItem aa(&*parameters, 3, zax::AaPromptKind::Primary, context);
            prompts::SrPromptItem sr(&*parameters, 2, zax::SrPromptKind::Main, context);
            prompts::SrPromptItem take(&*parameters, 2, zax::SrPromptKind::Repeat, context);
            EXPECT_NE(aa.IsRecorded(), 0);
            EXPECT_EQ(ServerBytes(aa, *parameters), primary);
            if (haveMp3) {
                EXPECT_EQ(ServerBytes(sr, *parameters), main);
            }
            EXPECT_EQ(ServerBytes(take, *parameters), repeat);
        }
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());
}

// A chunk write the server refuses before running it is sent again and
// stored once; one whose connection breaks leaves the old recording.
TEST_F(PromptsOverLoopback, FailedChunkWritesNeitherDuplicateNorBreakTheOldRecording) {
    Blob data(10240 * 3 + 55);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 11);
    WriteFile(File("new.oki"), data);
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? "big-endian" : "little-endian");
        std::vector<std::string> args = {"--fault", "90:refuse-once@2", "--fault", "95:drop@2"};
        if (*byteOrder)
            args.emplace_back(byteOrder);
        ZaxsimProcess sim(args);
        Connection admin(sim);
        zax::RetryProxy proxy(*admin.server);
        const prompts::VoiceContext context{&proxy, &settings};
        const auto parameters = prompts::FetchVoiceParameters(context);
        ASSERT_TRUE(parameters);

        prompts::AaPromptItem aa(&*parameters, 4, zax::AaPromptKind::Alternate, context);
        ASSERT_EQ(aa.Upload(Q("new.oki"), voice::VoiceFileFormat::RawOki), 0u);
        EXPECT_EQ(ServerBytes(aa, *parameters), data);

        prompts::SrPromptItem sr(&*parameters, 1, zax::SrPromptKind::Main, context);
        const Blob before = ServerBytes(sr, *parameters);
        ASSERT_FALSE(before.empty());
        // The repeat after the break finds the transfer gone with the connection.
        EXPECT_EQ(sr.Upload(Q("new.oki"), voice::VoiceFileFormat::RawOki), 6u);
        EXPECT_EQ(ServerBytes(sr, *parameters), before);
    }
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
