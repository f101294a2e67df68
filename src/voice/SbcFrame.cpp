#include "voice/SbcFrame.h"

#include <algorithm>
#include <cstdlib>

namespace voice {
namespace {

constexpr std::array<std::int32_t, 16> kQ = {32,   64,   128,  192,  320,  448,  704,   960,
                                             1472, 1984, 3008, 4032, 6080, 8128, 12224, 16320};

// Per sub-band: bits per code (0 = not coded) and the left shift applied before quantising.
constexpr std::array<int, 16> kBits = {2, 4, 4, 4, 2, 2, 2, 2, 0, 0, 0, 0, 2, 2, 2, 2};
constexpr std::array<int, 16> kPreShift = {2, 1, 1, 1, 3, 2, 2, 2, 0, 0, 0, 0, 3, 4, 4, 4};

// Order of the coded sub-bands inside a half-frame.
constexpr std::array<std::size_t, 12> kBandOrder = {0, 4, 12, 2, 6, 14, 1, 5, 13, 3, 7, 15};

constexpr std::size_t kHalfSlots = 8;
constexpr std::size_t kHalfWords = 18;

// Writes fields most significant bit first into consecutive 16-bit words.
class BitWriter {
public:
    explicit BitWriter(std::uint16_t* words) : words_(words) {}
    void Put(unsigned value, int bits) {
        acc_ = (acc_ << bits) | (value & ((1U << bits) - 1U));
        count_ += bits;
        if (count_ >= 16) {
            count_ -= 16;
            *words_++ = static_cast<std::uint16_t>(acc_ >> count_);
            acc_ &= (1U << count_) - 1U;
        }
    }

private:
    std::uint16_t* words_;
    std::uint32_t acc_ = 0;
    int count_ = 0;
};

class BitReader {
public:
    explicit BitReader(const std::uint16_t* words) : words_(words) {}
    unsigned Get(int bits) {
        if (count_ < bits) {
            acc_ = (acc_ << 16) | *words_++;
            count_ += 16;
        }
        count_ -= bits;
        return (acc_ >> count_) & ((1U << bits) - 1U);
    }

private:
    const std::uint16_t* words_;
    std::uint32_t acc_ = 0;
    int count_ = 0;
};

unsigned QuantiseTwoBit(int magnitude, unsigned sign, int step) {
    return sign + 2U * static_cast<unsigned>(magnitude > (step >> 1));
}

unsigned QuantiseFourBit(int magnitude, unsigned sign, int step) {
    const int a = step >> 1;
    const int b = step >> 2;
    const int c = step >> 3;
    const bool g1 = magnitude > a;
    const int f = g1 ? a + b : a - b;
    const bool g2 = magnitude > f;
    const bool g3 = magnitude > (g2 ? f + c : f - c);
    return sign + 8U * g1 + 4U * g2 + 2U * g3;
}

void PackBand(BitWriter& out, const std::int16_t* slots, std::size_t s) {
    std::array<int, kHalfSlots> magnitude{};
    std::array<unsigned, kHalfSlots> sign{};
    int peak = 0;
    for (std::size_t t = 0; t < kHalfSlots; ++t) {
        const std::int32_t v = std::int32_t{slots[t]} * (1 << kPreShift[s]);
        magnitude[t] = std::min(std::abs(v), 32767);
        sign[t] = v < 0 ? 1U : 0U;
        peak = std::max(peak, magnitude[t]);
    }
    const int sf = SbcScaleFactor(peak);
    out.Put(static_cast<unsigned>(sf), 4);
    const int step = kQ[static_cast<std::size_t>(sf)];
    for (std::size_t t = 0; t < kHalfSlots; ++t) {
        const unsigned code = kBits[s] == 2 ? QuantiseTwoBit(magnitude[t], sign[t], step)
                                            : QuantiseFourBit(magnitude[t], sign[t], step);
        out.Put(code, kBits[s]);
    }
}

void UnpackBand(BitReader& in, std::int16_t* slots, std::size_t s) {
    const auto sf = static_cast<std::size_t>(in.Get(4));
    const std::int32_t step = kQ[sf] >> kBits[s];
    for (std::size_t t = 0; t < kHalfSlots; ++t) {
        const auto code = static_cast<std::int32_t>(in.Get(kBits[s]));
        const auto value =
            static_cast<std::int16_t>((code & 1) != 0 ? -(code * step) : (code + 1) * step);
        // Arithmetic shift: division rounding toward negative infinity.
        slots[t] = static_cast<std::int16_t>(value >> kPreShift[s]);
    }
}

} // namespace

int SbcScaleFactor(int peak) {
    const int x = peak >= 32701 ? 32767 : peak + 66;
    int e = 112;
    for (int y = x; y < 8192;) {
        y *= 2;
        e -= 16;
        if (e < 0)
            break;
    }
    // x >= 66 keeps e at 0 or above; the clamp only guards the shift below.
    e = std::max(e, 0);
    return (e + ((x >> (e / 16 + 2)) & 15)) >> 3;
}

void SbcPackFrame(const std::int16_t* bands, std::uint16_t* words) {
    for (std::size_t half = 0; half < 2; ++half) {
        BitWriter out(words + half * kHalfWords);
        for (const std::size_t s : kBandOrder)
            PackBand(out, bands + s * kSbcSlots + half * kHalfSlots, s);
    }
}

void SbcUnpackFrame(const std::uint16_t* words, std::int16_t* bands) {
    std::fill(bands, bands + kSbcBands * kSbcSlots, std::int16_t{0});
    for (std::size_t half = 0; half < 2; ++half) {
        BitReader in(words + half * kHalfWords);
        for (const std::size_t s : kBandOrder)
            UnpackBand(in, bands + s * kSbcSlots + half * kHalfSlots, s);
    }
}

} // namespace voice
