// Both ends of the catalogue together: the client stub's request decoded by
// the server dispatcher, and its reply decoded by the stub, in both byte
// orders — so a procedure whose two ends disagreed would show here.

#include "UnservedServer.h"
#include "dcerpc/RpcError.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ZaxService.h"

#include <gtest/gtest.h>

using namespace zax;

namespace {

class InProcessChannel : public RpcChannel {
public:
    InProcessChannel(VoiceMailServer& target, bool bigEndian) : target_(target), big_(bigEndian) {}
    dcerpc::CallReply Call(uint16_t opnum, std::span<const uint8_t> stub) override {
        dcerpc::NdrReader in(stub, false);
        dcerpc::NdrWriter out(big_);
        DispatchProcedure(target_, opnum, in, out);
        EXPECT_EQ(in.remaining(), 0u) << "request of opnum " << opnum << " not fully consumed";
        return {big_, out.take()};
    }

private:
    VoiceMailServer& target_;
    bool big_;
};

template <class T> T Filled(uint8_t seed) {
    T v;
    auto* p = reinterpret_cast<unsigned char*>(&v);
    for (size_t i = 0; i < sizeof v; ++i)
        p[i] = static_cast<uint8_t>(seed + i * 13);
    return v;
}

template <class T> bool SameWireBytes(const T& a, const T& b) {
    dcerpc::NdrWriter wa, wb;
    wire::Put(wa, a);
    wire::Put(wb, b);
    return wa.bytes() == wb.bytes();
}

// Echoes what it is given and answers with recognisable values.
class EchoServer : public zaxsim::UnservedServer {
public:
    MailboxRecord lastMailbox{};
    uint8_t lastFlag = 0;
    std::vector<uint8_t> lastChunk;

    ServerStatus ChangeMailbox(const MailboxRecord& m, uint8_t reset) override {
        lastMailbox = m;
        lastFlag = reset;
        return 31029;
    }
    ServerStatus GetGreetingTable(GreetingTableRecord& g) override {
        g = Filled<GreetingTableRecord>(5);
        return 0;
    }
    ServerStatus FindNextEntries(std::span<EntrySummary> batch, int16_t max,
                                 int16_t& count) override {
        count = static_cast<int16_t>(std::min<int>(max, 3));
        for (int i = 0; i < count; ++i)
            batch[static_cast<size_t>(i)] = Filled<EntrySummary>(static_cast<uint8_t>(i));
        return 0;
    }
    ServerStatus GetFirstTranslation(Chars<15>& in, Chars<16>& out, uint8_t) override {
        in[0] = 'X';
        out.fill('7');
        return 0;
    }
    uint32_t ReadAaPrompt(TransferHandle& h, int32_t cap, int32_t& len,
                          std::span<uint8_t> buf) override {
        h.attributes = 99;
        len = cap - 1;
        for (int32_t i = 0; i < len; ++i)
            buf[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        return 0x80000001u;
    }
    uint32_t WriteSrPrompt(TransferHandle&, int32_t count, std::span<const uint8_t> data) override {
        lastChunk.assign(data.begin(), data.end());
        return static_cast<uint32_t>(count);
    }
};

class RoundTrip : public ::testing::TestWithParam<bool> {
protected:
    EchoServer echo;
    InProcessChannel channel{echo, GetParam()};
    RpcVoiceMailServer client{channel};
};

} // namespace

TEST_P(RoundTrip, RecordsAndFlagsArriveIntact) {
    MailboxRecord m = Filled<MailboxRecord>(1);
    EXPECT_EQ(client.ChangeMailbox(m, 1), 31029);
    EXPECT_TRUE(SameWireBytes(echo.lastMailbox, m));
    EXPECT_EQ(echo.lastFlag, 1);
}

TEST_P(RoundTrip, GreetingTableTravelsWithoutItsTrailingPad) {
    GreetingTableRecord g{};
    EXPECT_EQ(client.GetGreetingTable(g), 0);
    EXPECT_TRUE(SameWireBytes(g, Filled<GreetingTableRecord>(5)));
    dcerpc::NdrWriter w;
    wire::Put(w, g);
    EXPECT_EQ(w.size(), 215u);
}

TEST_P(RoundTrip, BatchOfEntriesComesBackWhole) {
    std::vector<EntrySummary> batch(25);
    int16_t count = 0;
    EXPECT_EQ(client.FindNextEntries(batch, 25, count), 0);
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(SameWireBytes(batch[2], Filled<EntrySummary>(2)));
}

TEST_P(RoundTrip, FixedCharArraysBothWays) {
    Chars<15> in{};
    Chars<16> out{};
    EXPECT_EQ(client.GetFirstTranslation(in, out, 1), 0);
    EXPECT_EQ(in[0], 'X');
    EXPECT_EQ(out[15], '7');
}

TEST_P(RoundTrip, VoiceChunksBothWaysWith32BitResults) {
    TransferHandle h;
    std::vector<uint8_t> buf(10240);
    int32_t len = 0;
    EXPECT_EQ(client.ReadAaPrompt(h, 10240, len, buf), 0x80000001u);
    EXPECT_EQ(len, 10239);
    EXPECT_EQ(h.attributes, 99u);
    EXPECT_EQ(buf[300], static_cast<uint8_t>(300));
    std::vector<uint8_t> data(10240, 0x5a);
    EXPECT_EQ(client.WriteSrPrompt(h, 10240, data), 10240u);
    EXPECT_EQ(echo.lastChunk, data);
}

TEST_P(RoundTrip, UnservedProcedureIsAnOpRangeFault) {
    try {
        client.ResetStatistics();
        FAIL();
    } catch (const dcerpc::RpcFault& f) {
        EXPECT_EQ(f.status, dcerpc::NcaStatus::OpRangeError);
    }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, RoundTrip, ::testing::Values(false, true));
