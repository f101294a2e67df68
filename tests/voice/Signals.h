#pragma once
// Test signals and measures shared by the voice tests.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace voicetest {

inline std::vector<std::int16_t> Tone(double hz, double amplitude, std::size_t n,
                                      double rate = 8000.0) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate)));
    return v;
}

// A voiced-speech stand-in as a telephone line carries it: the harmonics between 300 and
// 3400 Hz of a 120-180 Hz gliding fundamental, shaped by two formants, under a syllable-rate
// envelope.
inline std::vector<std::int16_t> SpeechLike(std::size_t n, double amplitude = 9000.0) {
    std::vector<std::int16_t> v(n);
    double phase = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / 8000.0;
        const double f0 = 150.0 + 30.0 * std::sin(2 * std::numbers::pi * 1.3 * t);
        phase += 2 * std::numbers::pi * f0 / 8000.0;
        double s = 0.0;
        for (int k = 1; f0 * k < 3400.0; ++k) {
            const double f = f0 * k;
            if (f < 300.0)
                continue;
            const double formant = 1.0 / (1.0 + std::pow((f - 500.0) / 200.0, 2)) +
                                   0.3 / (1.0 + std::pow((f - 1500.0) / 300.0, 2)) + 0.02;
            // Voiced speech falls off about 12 dB an octave above its first formant.
            s += formant * std::sin(k * phase) / (1.0 + std::pow(f / 800.0, 2));
        }
        const double envelope = 0.55 + 0.45 * std::sin(2 * std::numbers::pi * 4.0 * t);
        v[i] = static_cast<std::int16_t>(std::lround(amplitude * envelope * s));
    }
    return v;
}

// Signal-to-noise ratio in dB of `decoded` against `reference`, where decoded[i + lag] is
// compared with reference[i], over reference samples [from, to).
inline double Snr(const std::vector<std::int16_t>& reference,
                  const std::vector<std::int16_t>& decoded, long lag, std::size_t from,
                  std::size_t to) {
    double signal = 0.0;
    double noise = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        const long j = long(i) + lag;
        const double r = reference[i];
        const double d =
            (j >= 0 && std::size_t(j) < decoded.size()) ? decoded[std::size_t(j)] : 0.0;
        signal += r * r;
        noise += (r - d) * (r - d);
    }
    return 10.0 * std::log10(signal / std::max(noise, 1e-9));
}

// How well `v` is a pure tone of `hz`: power of its projection on the tone over the rest.
inline double ToneSnr(const std::vector<std::int16_t>& v, double hz, std::size_t from,
                      std::size_t to) {
    double c = 0.0;
    double s = 0.0;
    double total = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        const double w = 2 * std::numbers::pi * hz * double(i) / 8000.0;
        c += v[i] * std::cos(w);
        s += v[i] * std::sin(w);
        total += double(v[i]) * v[i];
    }
    const double n = double(to - from);
    const double tone = 2.0 * (c * c + s * s) / n;
    return 10.0 * std::log10(tone / std::max(total - tone, 1e-9));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& b) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

inline std::vector<std::int16_t> ReadPcm(const std::filesystem::path& p) {
    const auto b = ReadBytes(p);
    std::vector<std::int16_t> v(b.size() / 2);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<std::int16_t>(b[2 * i] | (b[2 * i + 1] << 8));
    return v;
}

inline void WritePcm(const std::filesystem::path& p, const std::vector<std::int16_t>& v) {
    std::vector<std::uint8_t> b(v.size() * 2);
    for (std::size_t i = 0; i < v.size(); ++i) {
        b[2 * i] = static_cast<std::uint8_t>(std::uint16_t(v[i]) & 0xFF);
        b[2 * i + 1] = static_cast<std::uint8_t>(std::uint16_t(v[i]) >> 8);
    }
    WriteBytes(p, b);
}

// A fresh directory for one test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string t = (std::filesystem::temp_directory_path() / "zaxvoicetestXXXXXX").string();
        path_ = mkdtemp(t.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace voicetest
