#include "voice/WaveReader.h"
#include "voice_fuzz_util.h"

#include <new>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    void* copy = nullptr;
    if (std::FILE* in = voicefuzz::OpenInput(data, size, copy)) {
        voice::WaveReader reader(in);
        if (reader.CheckRiff() == voice::VoiceStatus::Success)
            reader.ConvertTo(voicefuzz::Sink());
        std::fclose(in);
    }
    ::operator delete(copy);
    return 0;
}
