#pragma once
// Reads a wave file of any kind the users bring (PCM of any width, float, mu-law, A-law,
// IMA/MS ADPCM, GSM 6.10; any rate and channel count) and writes it as the linear file:
// 8000 Hz, mono, 16-bit little-endian.

#include "voice/VoiceTypes.h"

#include <cstdio>

namespace voice {

class WaveReader {
public:
    // `in` must be seekable; the reader does not own it.
    explicit WaveReader(std::FILE* in) : in_(in) {}

    // Whether `in` begins as a RIFF file; anything else is read as another kind of sound file.
    bool IsRiff();

    // Success when `in` is a RIFF "WAVE" file with a "fmt " and a "data" chunk, else 5002.
    VoiceStatus CheckRiff();

    // Decodes, mixes down to one channel, resamples to 8000 Hz and writes 16-bit samples.
    // A wave format no decoder handles gives ConverterNotPossible. With `otherFiles` the input
    // may also be any other sound file the decoders read (FLAC, Ogg Vorbis, Opus, MP3, AIFF...);
    // one they cannot read gives 5002.
    VoiceStatus ConvertTo(std::FILE* out, bool otherFiles = false);

private:
    std::FILE* in_;
};

} // namespace voice
