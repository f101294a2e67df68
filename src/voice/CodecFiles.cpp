#include "voice/CodecFiles.h"

#include "voice/OkiAdpcm.h"
#include "voice/SbcCodec.h"
#include "voice/VoiceFileIo.h"

#include <algorithm>
#include <new>
#include <vector>

namespace voice {
namespace {

constexpr std::size_t kDecoderBlockBytes = 10080;
constexpr std::size_t kDecoderOutputBytes = 80640;
constexpr std::size_t kEncoderFirstBlockBytes = 480;
constexpr std::size_t kEncoderBlockBytes = 2048;
constexpr std::size_t kEncoderOutputBytes = 512;

BlockKind KindOf(bool first, bool last) {
    if (first)
        return last ? BlockKind::Only : BlockKind::First;
    return last ? BlockKind::Last : BlockKind::Middle;
}

// OKI bytes go out as they are; samples and SBC words little-endian.
bool WriteUnits(std::FILE* f, std::span<const std::uint8_t> bytes) {
    return WriteAll(f, bytes.data(), bytes.size());
}
template <class T> bool WriteUnits(std::FILE* f, std::span<const T> values) {
    return WriteLe16(f, values);
}

// Queries the codec for the block's output size, grows the buffer if ever needed, then codes.
// A block the codec rejects contributes no output; only file errors end the conversion.
template <class In, class Out, class Codec, class State>
VoiceStatus CodeBlock(Codec codec, std::span<const In> in, BlockKind kind, State& state,
                      std::vector<Out>& buffer, std::FILE* out) {
    std::size_t size = 0;
    if (codec(in, kind, &state, std::span<Out>{}, &size) != VoiceStatus::Success)
        return VoiceStatus::Success;
    if (size > buffer.size())
        buffer.resize(size);
    if (codec(in, kind, &state, std::span<Out>(buffer), &size) != VoiceStatus::Success)
        return VoiceStatus::Success;
    return WriteUnits(out, std::span<const Out>(buffer.data(), size))
               ? VoiceStatus::Success
               : VoiceStatus::OutputWriteFailed;
}

// Decoders read 10080-byte blocks; the first block shorter than that is the last one.
template <class Unit, class Convert, class Codec, class State, class Out>
VoiceStatus DecodeStream(std::FILE* in, std::FILE* out, Convert convert, Codec codec, State& state,
                         std::vector<Out>& buffer) {
    std::vector<std::uint8_t> bytes(kDecoderBlockBytes);
    std::vector<Unit> units(kDecoderBlockBytes / sizeof(Unit));
    for (bool first = true;; first = false) {
        std::size_t got = 0;
        if (!ReadUpTo(in, bytes.data(), bytes.size(), &got))
            return VoiceStatus::InputReadFailed;
        const bool last = got < bytes.size();
        const std::size_t count = convert(bytes.data(), got, units.data());
        const auto s = CodeBlock(codec, std::span<const Unit>(units.data(), count),
                                 KindOf(first, last), state, buffer, out);
        if (s != VoiceStatus::Success || last)
            return s;
    }
}

// Encoders read a 480-byte first block, then 2048-byte blocks; a short read is the last block.
template <class Codec, class State, class Out>
VoiceStatus EncodeStream(std::FILE* in, std::FILE* out, Codec codec, State& state,
                         std::vector<Out>& buffer) {
    std::vector<std::uint8_t> bytes(kEncoderBlockBytes);
    std::vector<std::int16_t> samples(kEncoderBlockBytes / 2);
    for (bool first = true;; first = false) {
        const std::size_t want = first ? kEncoderFirstBlockBytes : kEncoderBlockBytes;
        std::size_t got = 0;
        if (!ReadUpTo(in, bytes.data(), want, &got))
            return VoiceStatus::InputReadFailed;
        const bool last = got < want;
        // A stray odd byte at the end of a linear file is not a sample.
        SamplesFromBytes(bytes.data(), got / 2, samples.data());
        const auto s = CodeBlock(codec, std::span<const std::int16_t>(samples.data(), got / 2),
                                 KindOf(first, last), state, buffer, out);
        if (s != VoiceStatus::Success || last)
            return s;
    }
}

std::size_t CopyBytes(const std::uint8_t* bytes, std::size_t n, std::uint8_t* out) {
    std::copy_n(bytes, n, out);
    return n;
}

std::size_t ToWords(const std::uint8_t* bytes, std::size_t n, std::uint16_t* out) {
    WordsFromBytes(bytes, n / 2, out);
    return n / 2;
}

template <class Body> VoiceStatus WithFiles(const char* inPath, const char* outPath, Body body) {
    const FilePtr in = OpenFile(inPath, "rb");
    if (!in)
        return VoiceStatus::InputOpenFailed;
    const FilePtr out = OpenFile(outPath, "wb");
    if (!out)
        return VoiceStatus::OutputOpenFailed;
    VoiceStatus s = body(in.get(), out.get());
    if (std::fflush(out.get()) != 0 && s == VoiceStatus::Success)
        s = VoiceStatus::OutputWriteFailed;
    return s;
}

template <class Fn> VoiceStatus Guarded(Fn fn) {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return VoiceStatus::NoMemory;
    }
}

} // namespace

VoiceStatus OkiStreamToPcm(std::FILE* in, std::FILE* out) {
    return Guarded([&] {
        OkiAdpcmState state;
        std::vector<std::int16_t> buffer(kDecoderOutputBytes / 2);
        return DecodeStream<std::uint8_t>(in, out, CopyBytes, OkiDecodeBlock, state, buffer);
    });
}

VoiceStatus SbcStreamToPcm(std::FILE* in, std::FILE* out) {
    return Guarded([&] {
        auto state = std::make_unique<SbcCodecState>();
        std::vector<std::int16_t> buffer(kDecoderOutputBytes / 2);
        return DecodeStream<std::uint16_t>(in, out, ToWords, SbcDecodeBlock, *state, buffer);
    });
}

VoiceStatus PcmStreamToOki(std::FILE* in, std::FILE* out) {
    return Guarded([&] {
        OkiAdpcmState state;
        std::vector<std::uint8_t> buffer(kEncoderOutputBytes);
        return EncodeStream(in, out, OkiEncodeBlock, state, buffer);
    });
}

VoiceStatus PcmStreamToSbc(std::FILE* in, std::FILE* out) {
    return Guarded([&] {
        auto state = std::make_unique<SbcCodecState>();
        std::vector<std::uint16_t> buffer(kEncoderOutputBytes / 2);
        return EncodeStream(in, out, SbcEncodeBlock, *state, buffer);
    });
}

VoiceStatus OkiToPcm(const char* okiPath, const char* pcmPath) {
    return WithFiles(okiPath, pcmPath, OkiStreamToPcm);
}
VoiceStatus PcmToOki(const char* pcmPath, const char* okiPath) {
    return WithFiles(pcmPath, okiPath, PcmStreamToOki);
}
VoiceStatus SbcToPcm(const char* sbcPath, const char* pcmPath) {
    return WithFiles(sbcPath, pcmPath, SbcStreamToPcm);
}
VoiceStatus PcmToSbc(const char* pcmPath, const char* sbcPath) {
    return WithFiles(pcmPath, sbcPath, PcmStreamToSbc);
}

} // namespace voice
