// The first/next loops against a table that hands out its items 0, 1, 2...
// with whatever counts and statuses a case needs.

#include "server/Enumerate.h"
#include "UnservedServer.h"
#include "dcerpc/RpcError.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <vector>

using namespace zax;

namespace {

constexpr ServerStatus kEnd = StatusNoEntry;
constexpr ServerStatus kBusy = 31033;

// Items are their own index. Call n (0 the first call, batches from 1) can
// be made to answer a status; a batch call can claim a count other than the
// one it delivers, or throw.
struct FakeTable {
    int size = 0;
    bool fullBatchEndsWithStatus = false; // end after a full batch by status rather than count 0
    std::map<int, ServerStatus> statusOnCall;
    std::map<int, int16_t> claimOnCall;
    int throwOnCall = 0;

    int position = 0;
    int batchCalls = 0;

    ServerStatus First(int& item) {
        if (auto s = statusOnCall.find(0); s != statusOnCall.end())
            return s->second;
        if (size == 0)
            return kEnd;
        item = position++;
        return 0;
    }
    ServerStatus NextBatch(std::span<int> batch, int16_t& count) {
        ++batchCalls;
        if (batchCalls == throwOnCall)
            throw dcerpc::RpcError(dcerpc::RpcStatus::CallFailed, "lost");
        if (auto s = statusOnCall.find(batchCalls); s != statusOnCall.end())
            return s->second;
        if (position == size && fullBatchEndsWithStatus)
            return kEnd;
        int16_t n = 0;
        for (; n < static_cast<int16_t>(batch.size()) && position < size; ++n)
            batch[static_cast<size_t>(n)] = position++;
        const auto claim = claimOnCall.find(batchCalls);
        count = claim != claimOnCall.end() ? claim->second : n;
        return 0;
    }
};

FakeTable Table(int size) {
    FakeTable t;
    t.size = size;
    return t;
}

std::vector<int> UpTo(int n) {
    std::vector<int> v(static_cast<size_t>(n));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

struct Outcome {
    EnumerateResult result;
    std::vector<int> items;
};

Outcome Batches(FakeTable& table) {
    Outcome run;
    run.result = EnumerateBatches<int, 25>([&](int& i) { return table.First(i); },
                                           [&](std::span<int> b, int16_t& c) {
                                               EXPECT_EQ(b.size(), 25u);
                                               return table.NextBatch(b, c);
                                           },
                                           [&](const int& i) { run.items.push_back(i); });
    return run;
}

TEST(EnumerateBatches, AShortBatchIsTheLast) {
    const struct {
        int size;
        bool endByStatus;
        int batchCalls;
    } cases[] = {{0, false, 0},  {1, false, 1},  {24, false, 1},     {25, false, 1},
                 {26, false, 2}, {26, true, 2},  {50, false, 2},     {51, false, 3},
                 {51, true, 3},  {76, false, 4}, {10000, false, 400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << (c.endByStatus ? " by status" : ""));
        FakeTable table = Table(c.size);
        table.fullBatchEndsWithStatus = c.endByStatus;
        const Outcome run = Batches(table);
        EXPECT_EQ(run.result.status, 0);
        EXPECT_TRUE(run.result.Complete());
        EXPECT_EQ(run.items, UpTo(c.size));
        EXPECT_EQ(run.result.items, static_cast<size_t>(c.size));
        EXPECT_EQ(table.batchCalls, c.batchCalls);
    }
}

TEST(EnumerateBatches, CountsOutsideTheBatchAreClamped) {
    const struct {
        int16_t claim;
        int delivered;
    } cases[] = {
        {1000, 60}, // taken as a full batch of 25: reading goes on, nothing past the batch
        {INT16_MAX, 60},
        {-3, 1}, // taken as an empty batch: the end
        {INT16_MIN, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.claim);
        FakeTable table = Table(60);
        table.claimOnCall[1] = c.claim;
        const Outcome run = Batches(table);
        EXPECT_EQ(run.result.status, 0);
        EXPECT_EQ(run.items, UpTo(c.delivered));
    }
}

TEST(EnumerateBatches, AnotherStatusStopsWithItAndKeepsWhatWasDelivered) {
    const struct {
        int failingCall; // 0: the first call
        ServerStatus status;
        int delivered;
    } cases[] = {{0, kBusy, 0}, {1, kBusy, 1}, {3, kBusy, 51}, {2, 31010, 26}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failingCall);
        FakeTable table = Table(100);
        table.statusOnCall[c.failingCall] = c.status;
        const Outcome run = Batches(table);
        EXPECT_EQ(table.batchCalls, c.failingCall);
        EXPECT_EQ(run.result.status, c.status);
        EXPECT_FALSE(run.result.Complete());
        EXPECT_EQ(run.items, UpTo(c.delivered));
    }
}

TEST(EnumerateBatches, TransportFailuresLeaveThroughTheCaller) {
    FakeTable table = Table(100);
    table.throwOnCall = 2;
    std::vector<int> items;
    auto enumerate = [&] {
        EnumerateBatches<int, 25>(
            [&](int& i) { return table.First(i); },
            [&](std::span<int> b, int16_t& c) { return table.NextBatch(b, c); },
            [&](const int& i) { items.push_back(i); });
    };
    EXPECT_THROW(enumerate(), dcerpc::RpcError);
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
        int position = 0;
        auto step = [&](int& item) -> ServerStatus {
            if (position == c.size)
                return c.sentAtEnd;
            item = position++;
            return 0;
        };
        std::vector<int> items;
        const EnumerateResult r = Enumerate<int>(
            step, step, [&](const int& i) { items.push_back(i); }, c.endStatus);
        EXPECT_EQ(r.status, c.result);
        EXPECT_EQ(items, UpTo(c.size));
        EXPECT_EQ(r.items, static_cast<size_t>(c.size));
    }
}

TEST(Enumerate, EachCallSeesTheItemThePreviousOneReturned) {
    // Group members: the record goes back in, so the server knows where it is.
    std::vector<int> seen;
    const EnumerateResult r = Enumerate<int>(
        [](int& item) {
            item = 10;
            return ServerStatus{0};
        },
        [&](int& item) {
            seen.push_back(item);
            return item < 12 ? (++item, ServerStatus{0}) : kEnd;
        },
        [](const int&) {});
    EXPECT_EQ(seen, (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(r.items, 3u);
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
