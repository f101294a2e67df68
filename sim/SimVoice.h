#pragma once
// What the simulated server's recordings need beyond the procedures.

#include "SimModel.h"

#include <cstddef>
#include <cstdint>

namespace zaxsim {

// The longest recording the server takes, in bytes, from its voice
// parameters: Reserved40 holds the seconds (0 for no limit).
size_t LongestRecordingBytes(const zax::VoiceParameters& parameters);

// Makes `format` (1 OKI ADPCM, 2 SBC) the server's voice format, re-coding
// every stored recording into it in one change. 0 when done (or nothing to
// do), StatusInvalidRecord for an unknown format, StatusNotStored when the
// change could not be stored.
uint32_t ChangeServerVoiceFormat(SimModel& model, int32_t format);

} // namespace zaxsim
