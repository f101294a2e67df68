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

    // Success when `in` is a RIFF "WAVE" file with a "fmt " and a "data" chunk, else 5002.
    VoiceStatus CheckRiff();

    // Decodes, mixes down to one channel, resamples to 8000 Hz and writes 16-bit samples.
    // A format no decoder handles gives ConverterNotPossible.
    VoiceStatus ConvertTo(std::FILE* out);

private:
    std::FILE* in_;
};

} // namespace voice
