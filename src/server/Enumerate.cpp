#include "server/Enumerate.h"

#include "server/VoiceMailServer.h"

namespace zax {

EnumerateResult EnumerateEntries(VoiceMailServer& server, EntryKind kind, std::uint8_t selection,
                                 const std::function<void(const EntrySummary&)>& sink) {
    return EnumerateBatches<EntrySummary, EntryBatchSize>(
        [&](EntrySummary& first) {
            return server.FindFirstEntry(first, static_cast<std::int16_t>(kind), selection);
        },
        [&](std::span<EntrySummary> batch, std::int16_t& count) {
            return server.FindNextEntries(batch, static_cast<std::int16_t>(batch.size()), count);
        },
        sink);
}

} // namespace zax
