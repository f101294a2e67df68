#include "voice/CodecFiles.h"
#include "voice/SbcCodec.h"
#include "voice_fuzz_util.h"

#include <memory>
#include <new>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    void* copy = nullptr;
    if (std::FILE* in = voicefuzz::OpenInput(data, size, copy)) {
        voice::SbcStreamToPcm(in, voicefuzz::Sink());
        std::fclose(in);
    }
    ::operator delete(copy);

    // Direct block calls: the first byte picks the kind and how short the output area is.
    if (size > 0) {
        const auto kind = static_cast<voice::BlockKind>(data[0] % 5);
        std::vector<std::uint16_t> words((size - 1) / 2);
        for (std::size_t i = 0; i < words.size(); ++i)
            words[i] = static_cast<std::uint16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
        auto st = std::make_unique<voice::SbcCodecState>();
        std::size_t need = 0;
        if (voice::SbcDecodeBlock(words, kind, st.get(), {}, &need) ==
            voice::VoiceStatus::Success) {
            // An area short by 0-7 samples (at least one: an empty area is a size query).
            const std::size_t shortBy = data[0] >> 5;
            std::vector<std::int16_t> out(need > shortBy ? need - shortBy : 1);
            std::size_t made = 0;
            const auto s = voice::SbcDecodeBlock(words, kind, st.get(), out, &made);
            const bool fits = out.size() >= need;
            if (fits ? (s != voice::VoiceStatus::Success || made > out.size())
                     : s != voice::VoiceStatus::CodecOutputTooSmall)
                __builtin_trap();
        }
    }
    return 0;
}
