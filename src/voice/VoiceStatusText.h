#pragma once
// English texts for conversion statuses, for the command-line converter.

#include "voice/VoiceTypes.h"

#include <string>

namespace voice {

// The message for a status; unknown codes get the generic text with the code in decimal.
std::string VoiceStatusText(VoiceStatus status);

} // namespace voice
