#pragma once
// The first/next loops through which the server hands out its tables: one
// call starts the enumeration and returns the first item, further calls
// return the next item (or the next batch) until a status says there are no
// more. Every list of the client reads its rows through these, so the end
// status, the batch rules and the treatment of a bad count live in one place.
//
// Server statuses come back in the result; a transport failure is the
// dcerpc::RpcError the calls throw, and it leaves here untouched (the
// caller's server-call guard turns it into the network-error path). Items
// already handed to the sink stay delivered.

#include "server/Procedure.h"
#include "server/Records.h"
#include "server/ServerStatuses.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace zax {

class VoiceMailServer;

struct EnumerateResult {
    // 0 when the enumeration ran to its end status; otherwise the status
    // that stopped it.
    ServerStatus status = 0;
    std::size_t items = 0; // how many items reached the sink
    bool Complete() const { return status == 0; }
};

// first(Item&) and next(Item&) return a status and fill the item; sink(const
// Item&) takes each item delivered with status 0. The same item object goes
// to every call, so procedures whose record is in,out (group members) see
// what the previous call returned; the item starts zeroed, and `first` sets
// whatever its procedure needs on entry. Most tables end on StatusNoEntry;
// the CLID table ends on 31010.
template <class Item, class First, class Next, class Sink>
EnumerateResult Enumerate(First&& first, Next&& next, Sink&& sink,
                          ServerStatus endStatus = StatusNoEntry) {
    EnumerateResult result;
    Item item{};
    for (ServerStatus status = first(item);; status = next(item)) {
        if (status != 0) {
            result.status = status == endStatus ? ServerStatus{0} : status;
            return result;
        }
        sink(static_cast<const Item&>(item));
        ++result.items;
    }
}

// As Enumerate, with the following items fetched Batch at a time:
// nextBatch(std::span<Item> batch, int16_t& count) fills up to batch.size()
// items and says how many in count. A batch shorter than Batch is the last
// one. The count comes off the wire, so it is clamped to 0..Batch: a
// negative or oversized count never reads outside the batch. Items of a
// batch whose status is not 0 are not delivered.
template <class Item, std::size_t Batch, class First, class NextBatch, class Sink>
EnumerateResult EnumerateBatches(First&& first, NextBatch&& nextBatch, Sink&& sink,
                                 ServerStatus endStatus = StatusNoEntry) {
    static_assert(Batch > 0 && Batch <= INT16_MAX);
    EnumerateResult result;
    auto stop = [&](ServerStatus status) {
        result.status = status == endStatus ? ServerStatus{0} : status;
        return result;
    };
    {
        Item item{};
        if (const ServerStatus status = first(item); status != 0)
            return stop(status);
        sink(static_cast<const Item&>(item));
        ++result.items;
    }
    std::array<Item, Batch> batch{};
    std::int16_t count = 0;
    do {
        count = 0;
        if (const ServerStatus status = nextBatch(std::span<Item>(batch), count); status != 0)
            return stop(status);
        count = std::clamp<std::int16_t>(count, 0, static_cast<std::int16_t>(Batch));
        for (std::int16_t i = 0; i < count; ++i)
            sink(static_cast<const Item&>(batch[static_cast<std::size_t>(i)]));
        result.items += static_cast<std::size_t>(count);
    } while (count == static_cast<std::int16_t>(Batch));
    return result;
}

// How many summaries one FindNextEntries call asks for.
inline constexpr std::size_t EntryBatchSize = 25;

// Every entry of kind `kind` (mailboxes or group lists): FindFirstEntry with
// the selection flag, then FindNextEntries EntryBatchSize at a time.
EnumerateResult EnumerateEntries(VoiceMailServer& server, EntryKind kind, std::uint8_t selection,
                                 const std::function<void(const EntrySummary&)>& sink);

} // namespace zax
