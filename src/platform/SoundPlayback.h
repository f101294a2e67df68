#pragma once
// The platform's sound-playing function: plays a PCM wave file through ALSA
// and returns when it has been played to the end.

#include <string>

namespace platform {

// The ALSA device sounds go to: $ZAXMGR_SOUND_DEVICE when set (the tests use
// "null"), else "default".
std::string SoundDevice();

// Plays an uncompressed 8- or 16-bit PCM wave file on `device`; false when
// the file is not such a wave or the device cannot play it.
bool PlayWaveFile(const std::string& path, const std::string& device = SoundDevice());

} // namespace platform
