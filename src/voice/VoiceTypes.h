#pragma once

#include <cstddef>
#include <cstdint>

namespace voice {

// The local file's format; the values are the string-table ids that name them.
enum class VoiceFileFormat : std::int32_t {
    RawOki = 145,
    RawSbc = 146,
    Wave = 147,
};

// The server's own recording format as the server reports it.
enum class ServerVoiceFormat : std::uint32_t {
    OkiAdpcm = 1,
    Sbc = 2,
};

// How a codec call relates to the stream it belongs to.
enum class BlockKind : std::int32_t {
    First = 0,  // reset the state first
    Middle = 1, // continue the stream
    Last = 2,   // continue and flush at the end
    Only = 3,   // first and last at once
};

// Result of every conversion and codec call. Besides the named values, any other number is a
// converter error code passed through unchanged, so this is an open enumeration.
enum class VoiceStatus : std::uint32_t {
    Success = 0,
    InputOpenFailed = 5000,
    OutputOpenFailed = 5001,
    InputReadFailed = 5002,
    OutputWriteFailed = 5003,
    TempFileFailed = 5004,
    NoMemory = 5005,
    FileStatusFailed = 5006,
    ConverterNotPossible = 512, // the converter's "no conversion possible for this format"
    CodecEmptyInput = 43800,
    CodecBadLength = 43801,
    CodecBadKind = 43802,
    CodecNoMemory = 43803,
    CodecMissingArgument = 43804,
    CodecOutputTooSmall = 43805,
    CodecNotStarted = 43807,
    UnsupportedFormat = 65005,
    CopyFailed = 65010,
};

constexpr std::uint32_t StatusCode(VoiceStatus s) {
    return static_cast<std::uint32_t>(s);
}

// The size-query protocol of the block codecs: with no output area the
// needed size is reported; returns true when the caller should go on and code.
inline bool ReserveOutput(std::size_t needed, std::size_t capacity, std::size_t* size,
                   VoiceStatus* status) {
    *status = VoiceStatus::Success;
    if (capacity == 0) {
        *size = needed;
        return false;
    }
    if (capacity < needed) {
        *status = VoiceStatus::CodecOutputTooSmall;
        return false;
    }
    return true;
}

} // namespace voice
