#pragma once
// OKI ADPCM: 4-bit adaptive differential codes of 12-bit samples, two codes per byte with the
// earlier sample in the high nibble. Block functions over memory; the caller owns the state.

#include "voice/VoiceTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace voice {

struct OkiAdpcmState {
    std::int32_t initialised = 0;
    std::int16_t predicted = 0;
    std::int16_t stepIndex = 0;
    std::int32_t runningSum = 0;
    std::int16_t historySlot = 0;
    std::array<std::int16_t, 49> history{};
};

// Linear samples -> OKI bytes. With an empty `out` only the needed capacity is stored in
// `*size`; otherwise `*size` receives the number of bytes produced. An odd sample count is
// only accepted in a final block (Last or Only): its last byte's low nibble codes a zero.
VoiceStatus OkiEncodeBlock(std::span<const std::int16_t> in, BlockKind kind, OkiAdpcmState* state,
                           std::span<std::uint8_t> out, std::size_t* size);

// OKI bytes -> linear samples (16 times the 12-bit value), two per input byte.
VoiceStatus OkiDecodeBlock(std::span<const std::uint8_t> in, BlockKind kind, OkiAdpcmState* state,
                           std::span<std::int16_t> out, std::size_t* size);

} // namespace voice
