#include "voice/CodecFiles.h"
#include "voice/OkiAdpcm.h"
#include "voice_fuzz_util.h"

#include <new>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    void* copy = nullptr;
    if (std::FILE* in = voicefuzz::OpenInput(data, size, copy)) {
        voice::OkiStreamToPcm(in, voicefuzz::Sink());
        std::fclose(in);
    }
    ::operator delete(copy);

    // Direct block calls: the first byte picks the kind and how short the output area is.
    if (size > 0) {
        const auto kind = static_cast<voice::BlockKind>(data[0] % 5);
        const std::span<const std::uint8_t> body(data + 1, size - 1);
        voice::OkiAdpcmState st;
        std::size_t need = 0;
        if (voice::OkiDecodeBlock(body, kind, &st, {}, &need) == voice::VoiceStatus::Success) {
            // An area short by 0-7 samples (at least one: an empty area is a size query).
            const std::size_t shortBy = data[0] >> 5;
            std::vector<std::int16_t> out(need > shortBy ? need - shortBy : 1);
            std::size_t made = 0;
            const auto s = voice::OkiDecodeBlock(body, kind, &st, out, &made);
            const bool fits = out.size() >= need;
            if (fits ? (s != voice::VoiceStatus::Success || made > out.size())
                     : s != voice::VoiceStatus::CodecOutputTooSmall)
                __builtin_trap();
        }
    }
    return 0;
}
