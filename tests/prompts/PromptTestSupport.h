#pragma once
// What the voice item and Voice dialog tests share: the in-process server
// behind a retry proxy of the test's own, a temporary directory that receives
// every temporary file the items make, a directory for the administrator's
// files, the sound programs and the upload question answered by the test, and
// the platform's standard boxes recorded.

#include "DialogTestSupport.h"

#include "core/ClientSettings.h"
#include "prompts/PromptHooks.h"
#include "prompts/VoiceItem.h"
#include "server/RetryProxy.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace prompttest {

using Blob = std::vector<std::uint8_t>;

inline Blob ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Blob(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::filesystem::path& p, const Blob& data) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

// `seconds` of a tone that glides from 300 to 900 Hz at 8000 Hz, as linear samples.
inline std::vector<std::int16_t> Glide(double seconds, double level = 8000) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(seconds * 8000));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double f = 300 + 600 * static_cast<double>(i) / static_cast<double>(s.size());
        phase += 2 * std::numbers::pi * f / 8000;
        s[i] = static_cast<std::int16_t>(level * std::sin(phase));
    }
    return s;
}

inline void WritePcm(const std::filesystem::path& p, const std::vector<std::int16_t>& samples) {
    Blob bytes;
    for (const std::int16_t v : samples) {
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFFU));
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8U));
    }
    WriteFile(p, bytes);
}

inline std::vector<std::int16_t> ReadPcm(const std::filesystem::path& p) {
    const Blob b = ReadFile(p);
    std::vector<std::int16_t> s(b.size() / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(b[2 * i] | (b[2 * i + 1] << 8));
    return s;
}

// The wave this program writes, holding `samples`.
inline void WriteWave(const std::filesystem::path& p, const std::vector<std::int16_t>& samples) {
    const std::filesystem::path pcm = p.string() + ".pcm";
    WritePcm(pcm, samples);
    ASSERT_EQ(voice::PcmToWave(pcm.c_str(), p.c_str()), voice::VoiceStatus::Success);
    std::filesystem::remove(pcm);
}

inline std::vector<std::int16_t> WaveSamples(const std::filesystem::path& wave) {
    const std::filesystem::path pcm = wave.string() + ".pcm";
    EXPECT_EQ(voice::WaveToPcm(wave.c_str(), pcm.c_str()), voice::VoiceStatus::Success);
    auto s = ReadPcm(pcm);
    std::filesystem::remove(pcm);
    return s;
}

// Signal-to-noise ratio in dB of `decoded` against `original`, at the lag
// (within a frame and a bit) that matches them best, over the overlap.
inline double SnrDb(const std::vector<std::int16_t>& original,
                    const std::vector<std::int16_t>& decoded, int maxLag = 300) {
    double best = -100;
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        double signal = 0, noise = 0;
        for (std::size_t i = 400; i + 400 < original.size(); ++i) {
            const auto j = static_cast<std::ptrdiff_t>(i) + lag;
            if (j < 0 || static_cast<std::size_t>(j) >= decoded.size())
                continue;
            const double d = decoded[static_cast<std::size_t>(j)] - original[i];
            signal += double(original[i]) * original[i];
            noise += d * d;
        }
        if (signal > 0 && noise > 0)
            best = std::max(best, 10 * std::log10(signal / noise));
    }
    return best;
}

class PromptTest : public dialogtest::DialogTest {
protected:
    PromptTest() {
        EXPECT_TRUE(temp.isValid() && files.isValid());
        setenv("TMPDIR", temp.path().toLocal8Bit().constData(), 1);
        settings.soundPlayer = "player";
        settings.soundRecorder = "recorder --quiet";
        settings.soundEditor = "editor";
        ui::Hooks().standardBox = [this](const QString&, const QString& text, ui::StandardBoxIcon) {
            boxes << text;
        };
        ui::Hooks().startProcess = [this](const QStringList& command, bool wait) {
            EXPECT_TRUE(wait);
            started.push_back(command);
            return program ? program(command) : 0;
        };
        ui::Hooks().playSound = [this](const QString& path) {
            played.push_back(ReadFile(path.toStdString()));
            return playWorks;
        };
        prompts::Hooks().askUpload = [this](const QString& question) {
            questions << question;
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question " << question.toStdString();
                return prompts::UploadAnswer::No;
            }
            const prompts::UploadAnswer a = answers.front();
            answers.pop_front();
            return a;
        };
    }
    ~PromptTest() override {
        prompts::Hooks() = prompts::DefaultPromptHooks();
        unsetenv("TMPDIR");
    }

    prompts::VoiceContext Context() { return {&proxy, &settings}; }
    std::filesystem::path File(const std::string& name) const {
        return std::filesystem::path(files.path().toStdString()) / name;
    }
    // The temporary files the items left behind (none, on every path).
    QStringList LeftOver() const { return QDir(temp.path()).entryList(QDir::Files); }

    QTemporaryDir temp;
    QTemporaryDir files;
    core::ClientSettings settings;
    zax::RetryProxy proxy{sim->server()};
    QStringList boxes;
    std::vector<QStringList> started;
    std::function<int(const QStringList&)> program;
    std::vector<Blob> played;
    bool playWorks = true;
    QStringList questions;
    std::deque<prompts::UploadAnswer> answers;
};

} // namespace prompttest
