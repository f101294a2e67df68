// The first/next loops against a table that hands out its items 0, 1, 2...
// with whatever counts and statuses a case needs.

#include "server/Enumerate.h"
#include "UnservedServer.h"
#include "dcerpc/RpcError.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <vector>

using namespace zax;

namespace {

constexpr ServerStatus kEnd = StatusNoEntry;
constexpr ServerStatus kBusy = 31033;

std::vector<int> UpTo(int n) {
    std::vector<int> v(static_cast<size_t>(n));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

// Items are their own index. Call n (0 the first call, batches from 1) can
// answer a status or throw; the first batch can claim another count than
// the one it delivers.
struct FakeTable {
    int size = 0;
    bool endFullBatchByStatus = false; // rather than by a batch of 0
    std::optional<int16_t> firstBatchClaim;
    int failOnCall = -1;
    ServerStatus failStatus = 0;
    int throwOnCall = -1;

    int position = 0;
    int batchCalls = 0;

    ServerStatus First(int& item) {
        if (failOnCall == 0)
            return failStatus;
        if (size == 0)
            return kEnd;
        item = position++;
        return 0;
    }
    ServerStatus NextBatch(std::span<int> batch, int16_t& count) {
        EXPECT_EQ(batch.size(), 25u);
        if (++batchCalls == throwOnCall)
            throw dcerpc::RpcError(dcerpc::RpcStatus::CallFailed, "lost");
        if (batchCalls == failOnCall)
            return failStatus;
        if (position == size && endFullBatchByStatus)
            return kEnd;
        int16_t n = 0;
        for (; n < static_cast<int16_t>(batch.size()) && position < size; ++n)
            batch[static_cast<size_t>(n)] = position++;
        count = batchCalls == 1 && firstBatchClaim ? *firstBatchClaim : n;
        return 0;
    }
    EnumerateResult Read(std::vector<int>& items) {
        return EnumerateBatches<int, 25>(
            [this](int& i) { return First(i); },
            [this](std::span<int> b, int16_t& c) { return NextBatch(b, c); },
            [&items](const int& i) { items.push_back(i); });
    }
};

TEST(EnumerateBatches, ReadsUntilAShortBatchOrAStatus) {
    const struct {
        int size;
        bool endByStatus;
        std::optional<int16_t> claim;
        int failOnCall;
        ServerStatus status; // what the failing call answers, and the result
        int delivered;
        int batchCalls;
    } cases[] = {
        // A short batch is the last one; a full one asks again.
        {0, false, {}, -1, 0, 0, 0},
        {1, false, {}, -1, 0, 1, 1},
        {24, false, {}, -1, 0, 24, 1},
        {25, false, {}, -1, 0, 25, 1},
        {26, false, {}, -1, 0, 26, 2},
        {26, true, {}, -1, 0, 26, 2},
        {50, false, {}, -1, 0, 50, 2},
        {51, true, {}, -1, 0, 51, 3},
        {76, false, {}, -1, 0, 76, 4},
        {10000, false, {}, -1, 0, 10000, 400},
        // A count off the wire outside 0..25 is clamped: never read past the batch.
        {60, false, 1000, -1, 0, 60, 3},
        {60, false, INT16_MAX, -1, 0, 60, 3},
        {60, false, -3, -1, 0, 1, 1},
        {60, false, INT16_MIN, -1, 0, 1, 1},
        // Any other status stops the reading with it; what was read stays.
        {100, false, {}, 0, kBusy, 0, 0},
        {100, false, {}, 1, kBusy, 1, 1},
        {100, false, {}, 3, kBusy, 51, 3},
        {100, false, {}, 2, 31010, 26, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.size << " claim " << c.claim.value_or(0) << " fail " << c.failOnCall);
        FakeTable table;
        table.size = c.size;
        table.endFullBatchByStatus = c.endByStatus;
        table.firstBatchClaim = c.claim;
        table.failOnCall = c.failOnCall;
        table.failStatus = c.status;
        std::vector<int> items;
        const EnumerateResult r = table.Read(items);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.Complete(), c.status == 0);
        EXPECT_EQ(items, UpTo(c.delivered));
        EXPECT_EQ(r.items, static_cast<size_t>(c.delivered));
        EXPECT_EQ(table.batchCalls, c.batchCalls);
    }
}

TEST(EnumerateBatches, TransportFailuresLeaveThroughTheCaller) {
    FakeTable table;
    table.size = 100;
    table.throwOnCall = 2;
    std::vector<int> items;
    EXPECT_THROW(table.Read(items), dcerpc::RpcError);
    EXPECT_EQ(items, UpTo(26));
}

TEST(Enumerate, OneAtATimeUntilTheEndStatus) {
    const struct {
        int size;
        ServerStatus endStatus;
        ServerStatus sentAtEnd;
        ServerStatus result;
    } cases[] = {
        {0, kEnd, kEnd, 0},
        {3, kEnd, kEnd, 0},
        // The CLID table ends on 31010; there 31012 is an error like any other.
        {3, 31010, 31010, 0},
        {3, 31010, kEnd, kEnd},
        {2, kEnd, kBusy, kBusy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.endStatus << " " << c.sentAtEnd);
        // Each call also sees the item the previous one returned, as the
        // group-member procedures need; the table steps on from it.
        int calls = 0;
        auto step = [&](int& item) -> ServerStatus {
            if (++calls > 10) {
                ADD_FAILURE() << "the table never ends";
                return kBusy;
            }
            if (item + 1 == c.size)
                return c.sentAtEnd;
            ++item;
            return 0;
        };
        std::vector<int> items;
        const EnumerateResult r = Enumerate<int>(
            [&](int& item) { return c.size == 0 ? c.sentAtEnd : (item = 0, ServerStatus{0}); },
            step, [&](const int& i) { items.push_back(i); }, c.endStatus);
        EXPECT_EQ(r.status, c.result);
        EXPECT_EQ(items, UpTo(c.size));
        EXPECT_EQ(r.items, static_cast<size_t>(c.size));
    }
}

// The entry enumeration asks for the kind and selection given, 25 at a time.
class EntryServer : public zaxsim::UnservedServer {
public:
    int16_t kind = 0, max = 0;
    uint8_t selection = 0xff;
    size_t capacity = 0;
    ServerStatus FindFirstEntry(EntrySummary& e, int16_t k, uint8_t s) override {
        kind = k;
        selection = s;
        SetText(e.Number, "100");
        return 0;
    }
    ServerStatus FindNextEntries(std::span<EntrySummary> batch, int16_t m,
                                 int16_t& count) override {
        max = m;
        capacity = batch.size();
        SetText(batch[0].Number, "101");
        count = 1;
        return 0;
    }
};

TEST(EnumerateEntries, AsksForTheKindAndSelectionTwentyFiveAtATime) {
    EntryServer server;
    std::vector<std::string> numbers;
    const EnumerateResult r =
        EnumerateEntries(server, EntryKind::GroupList, 1,
                         [&](const EntrySummary& e) { numbers.push_back(GetText(e.Number)); });
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(numbers, (std::vector<std::string>{"100", "101"}));
    EXPECT_EQ(server.kind, 2);
    EXPECT_EQ(server.selection, 1);
    EXPECT_EQ(server.max, 25);
    EXPECT_EQ(server.capacity, 25u);
}

} // namespace
