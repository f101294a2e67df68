#include "voice/SbcCodec.h"

#include "voice/SbcFrame.h"

#include <algorithm>

namespace voice {
namespace {

// A final frame of at most this many real samples is left to the closing all-zero-tail frame.
constexpr std::size_t kTailInFinalFrame = 16;

bool IsKnownKind(BlockKind kind) {
    const auto k = static_cast<std::int32_t>(kind);
    return k >= 0 && k <= 3;
}

template <class In, class Out>
bool ArgumentsMissing(std::span<In> in, const SbcCodecState* state, std::span<Out> out,
                      const std::size_t* size) {
    return state == nullptr || size == nullptr || (in.data() == nullptr && !in.empty()) ||
           (out.data() == nullptr && !out.empty());
}

// ---- encoder ----------------------------------------------------------------------------

class FrameEncoder {
public:
    FrameEncoder(SbcCodecState& state, std::uint16_t* out) : state_(state), out_(out) {}

    // Runs the priming samples through the analysis bank without producing a frame.
    void Prime(const std::int16_t* samples) {
        std::array<std::int16_t, kSbcFrameSamples> halved{};
        Halve(samples, kSbcPrimingSamples, halved.data());
        std::array<std::int16_t, kSbcFrameSamples> bands{};
        SbcAnalyse(state_, halved.data(), kSbcPrimingSamples, bands.data());
    }

    // Codes up to 256 samples as one frame, zero-padding a short one.
    void Code(const std::int16_t* samples, std::size_t n) {
        std::array<std::int16_t, kSbcFrameSamples> halved{};
        Halve(samples, n, halved.data());
        std::array<std::int16_t, kSbcFrameSamples> bands{};
        SbcAnalyse(state_, halved.data(), kSbcFrameSamples, bands.data());
        SbcPackFrame(bands.data(), out_ + words_);
        words_ += kSbcFrameWords;
    }

    void CodeWhole(std::span<const std::int16_t> in) {
        for (std::size_t i = 0; i + kSbcFrameSamples <= in.size(); i += kSbcFrameSamples)
            Code(in.data() + i, kSbcFrameSamples);
    }

    // Whole frames, then the remainder, then one frame that carries the filter delay out.
    void CodeLast(std::span<const std::int16_t> in) {
        CodeWhole(in);
        const std::size_t whole = in.size() - in.size() % kSbcFrameSamples;
        std::span<const std::int16_t> rest = in.subspan(whole);
        if (rest.size() > kTailInFinalFrame) {
            Code(rest.data(), rest.size());
            rest = {};
        }
        Code(rest.data(), rest.size());
    }

    std::size_t Words() const { return words_; }

private:
    static void Halve(const std::int16_t* in, std::size_t n, std::int16_t* out) {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = static_cast<std::int16_t>(in[i] >> 1);
    }

    SbcCodecState& state_;
    std::uint16_t* out_;
    std::size_t words_ = 0;
};

VoiceStatus CheckEncodeLength(std::size_t n, BlockKind kind) {
    switch (kind) {
    case BlockKind::First:
        if (n == 0)
            return VoiceStatus::CodecEmptyInput;
        return n % kSbcFrameSamples == kSbcPrimingSamples ? VoiceStatus::Success
                                                          : VoiceStatus::CodecBadLength;
    case BlockKind::Middle:
        if (n == 0)
            return VoiceStatus::CodecEmptyInput;
        return n % kSbcFrameSamples == 0 ? VoiceStatus::Success : VoiceStatus::CodecBadLength;
    case BlockKind::Last:
        return VoiceStatus::Success;
    case BlockKind::Only:
        return n >= kSbcPrimingSamples ? VoiceStatus::Success : VoiceStatus::CodecBadLength;
    }
    return VoiceStatus::CodecBadKind;
}

// ---- decoder ----------------------------------------------------------------------------

class FrameDecoder {
public:
    FrameDecoder(SbcCodecState& state, std::int16_t* out) : state_(state), out_(out) {}

    // Decodes one frame and keeps its samples from `skip` on.
    void Decode(const std::uint16_t* words, std::size_t skip) {
        std::array<std::int16_t, kSbcFrameSamples> bands{};
        SbcUnpackFrame(words, bands.data());
        Emit(bands.data(), skip, kSbcFrameSamples);
    }

    void DecodeWhole(std::span<const std::uint16_t> in) {
        for (std::size_t i = 0; i + kSbcFrameWords <= in.size(); i += kSbcFrameWords)
            Decode(in.data() + i, 0);
    }

    // Whole frames, a zero-padded partial frame, then the delayed tail of the synthesis bank.
    void DecodeLast(std::span<const std::uint16_t> in) {
        DecodeWhole(in);
        const std::size_t rest = in.size() % kSbcFrameWords;
        if (rest != 0) {
            std::array<std::uint16_t, kSbcFrameWords> padded{};
            std::copy_n(in.data() + in.size() - rest, rest, padded.begin());
            Decode(padded.data(), 0);
        }
        const std::array<std::int16_t, kSbcFrameSamples> silence{};
        Emit(silence.data(), 0, kSbcDelaySamples);
    }

    std::size_t Samples() const { return samples_; }

private:
    void Emit(const std::int16_t* bands, std::size_t from, std::size_t to) {
        std::array<std::int16_t, kSbcFrameSamples> pcm{};
        SbcSynthesise(state_, bands, pcm.data());
        for (std::size_t i = from; i < to; ++i)
            out_[samples_++] = Double(pcm[i]);
    }

    // The encoder halves its input; restore the level with saturation.
    static std::int16_t Double(std::int16_t y) {
        if (y >= 16384)
            return 32767;
        if (y < -16384)
            return -32768;
        return static_cast<std::int16_t>(2 * y);
    }

    SbcCodecState& state_;
    std::int16_t* out_;
    std::size_t samples_ = 0;
};

VoiceStatus CheckDecodeLength(std::size_t n, BlockKind kind) {
    switch (kind) {
    case BlockKind::First:
    case BlockKind::Middle:
        if (n == 0)
            return VoiceStatus::CodecEmptyInput;
        return n % kSbcFrameWords == 0 ? VoiceStatus::Success : VoiceStatus::CodecBadLength;
    case BlockKind::Last:
        return VoiceStatus::Success;
    case BlockKind::Only:
        // A stream too short to hold its first frame is rejected rather than guessed at.
        if (n == 0)
            return VoiceStatus::CodecEmptyInput;
        return n >= kSbcFrameWords ? VoiceStatus::Success : VoiceStatus::CodecBadLength;
    }
    return VoiceStatus::CodecBadKind;
}

std::size_t DecodeCapacity(std::size_t n, BlockKind kind) {
    std::size_t needed = (n / kSbcFrameWords + 1) * kSbcFrameSamples;
    // A continuing final block with a partial frame yields that frame and the whole tail.
    if (kind == BlockKind::Last && n % kSbcFrameWords != 0)
        needed += kSbcDelaySamples;
    return needed;
}

} // namespace

VoiceStatus SbcEncodeBlock(std::span<const std::int16_t> in, BlockKind kind, SbcCodecState* state,
                           std::span<std::uint16_t> out, std::size_t* size) {
    if (ArgumentsMissing(in, state, out, size))
        return VoiceStatus::CodecMissingArgument;
    if (!IsKnownKind(kind))
        return VoiceStatus::CodecBadKind;
    if (const auto s = CheckEncodeLength(in.size(), kind); s != VoiceStatus::Success)
        return s;
    VoiceStatus status{};
    const std::size_t needed = (in.size() / kSbcFrameSamples) * kSbcFrameWords + 2 * kSbcFrameWords;
    if (!ReserveOutput(needed, out.size(), size, &status))
        return status;

    FrameEncoder encoder(*state, out.data());
    if (kind == BlockKind::First || kind == BlockKind::Only) {
        *state = SbcCodecState{};
        encoder.Prime(in.data());
        in = in.subspan(kSbcPrimingSamples);
    }
    if (kind == BlockKind::First || kind == BlockKind::Middle)
        encoder.CodeWhole(in);
    else
        encoder.CodeLast(in);
    *size = encoder.Words();
    return VoiceStatus::Success;
}

VoiceStatus SbcDecodeBlock(std::span<const std::uint16_t> in, BlockKind kind, SbcCodecState* state,
                           std::span<std::int16_t> out, std::size_t* size) {
    if (ArgumentsMissing(in, state, out, size))
        return VoiceStatus::CodecMissingArgument;
    if (!IsKnownKind(kind))
        return VoiceStatus::CodecBadKind;
    if (const auto s = CheckDecodeLength(in.size(), kind); s != VoiceStatus::Success)
        return s;
    VoiceStatus status{};
    if (!ReserveOutput(DecodeCapacity(in.size(), kind), out.size(), size, &status))
        return status;

    FrameDecoder decoder(*state, out.data());
    if (kind == BlockKind::First || kind == BlockKind::Only) {
        *state = SbcCodecState{};
        // The synthesis bank's delay: the first frame contributes only its last 31 samples.
        decoder.Decode(in.data(), kSbcDelaySamples);
        in = in.subspan(kSbcFrameWords);
    }
    if (kind == BlockKind::First || kind == BlockKind::Middle)
        decoder.DecodeWhole(in);
    else
        decoder.DecodeLast(in);
    *size = decoder.Samples();
    return VoiceStatus::Success;
}

} // namespace voice
