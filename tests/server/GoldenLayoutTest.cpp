// Request and reply bodies of the worked layouts, byte for byte, and the
// checks the client makes on what comes back.

#include "dcerpc/RpcError.h"
#include "server/RpcVoiceMailServer.h"

#include "../support/RpcStatusOf.h"

#include <gtest/gtest.h>

using namespace zax;
using Bytes = std::vector<uint8_t>;

namespace {

class CannedChannel : public RpcChannel {
public:
    dcerpc::CallReply Call(uint16_t opnum, std::span<const uint8_t> stub) override {
        lastOpnum = opnum;
        request.assign(stub.begin(), stub.end());
        return {bigEndian, reply};
    }
    uint16_t lastOpnum = 0xffff;
    Bytes request;
    Bytes reply;
    bool bigEndian = false;
};

using testsupport::StatusOf;

struct Fixture : ::testing::Test {
    CannedChannel channel;
    RpcVoiceMailServer server{channel};
};

} // namespace

using GoldenLayout = Fixture;

TEST_F(GoldenLayout, OpenSessionEmptyRequestHandleThenStatus) {
    channel.reply = {0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x1c, 0x7a};
    SessionHandle h;
    EXPECT_EQ(server.OpenSession(h), 31260);
    EXPECT_EQ(channel.lastOpnum, 0);
    EXPECT_TRUE(channel.request.empty());
    EXPECT_EQ(h.uuid.timeLow, 0x04030201u);
    EXPECT_EQ(h.uuid.rest[7], 16);
}

TEST_F(GoldenLayout, GetLineRequestAndPaddedReply) {
    channel.reply = {1, 0xEE, 3, 0, 4, 0, 0, 0};
    uint8_t answer = 0;
    int16_t table = 0, rings = 0;
    EXPECT_EQ(server.GetLine(1, answer, table, rings), 0);
    EXPECT_EQ(channel.request, (Bytes{1, 0}));
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(table, 3);
    EXPECT_EQ(rings, 4);
}

TEST_F(GoldenLayout, SetLinePadsBeforeTheTableNumber) {
    channel.reply = {0, 0};
    EXPECT_EQ(server.SetLine(7, 1, 2, 5), 0);
    EXPECT_EQ(channel.request, (Bytes{7, 0, 1, 0, 2, 0, 5, 0}));
}

TEST_F(GoldenLayout, GetReportTextVaryingArrayThenEvenPaddingThenStatus) {
    // L = 3: 16 header bytes, 3 bytes of text, 1 pad byte to an even offset, status.
    channel.reply = {3, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0};
    char text[8] = {};
    int32_t length = 0;
    EXPECT_EQ(server.GetReportText(8, length, std::span<char>(text)), 0);
    EXPECT_EQ(channel.request, (Bytes{8, 0, 0, 0}));
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::string(text, 3), "abc");
}

TEST_F(GoldenLayout, KeepAliveSendsAndExpectsNothing) {
    server.KeepAlive();
    EXPECT_EQ(channel.lastOpnum, 79);
    EXPECT_TRUE(channel.request.empty());
}

TEST_F(GoldenLayout, BigEndianReplyIsConverted) {
    channel.bigEndian = true;
    channel.reply = {1, 0, 0, 3, 0, 4, 0x7a, 0x1c};
    uint8_t answer = 0;
    int16_t table = 0, rings = 0;
    EXPECT_EQ(server.GetLine(1, answer, table, rings), 0x7a1c);
    EXPECT_EQ(table, 3);
    EXPECT_EQ(rings, 4);
}

TEST_F(GoldenLayout, SixteenBitStatusStaysUnsigned) {
    channel.reply = {0xF2, 0xFD}; // 65010
    EXPECT_EQ(server.ResetStatistics(), 65010);
}

TEST_F(GoldenLayout, MalformedRepliesAreProtocolErrors) {
    char text[8] = {};
    int32_t length = 0;
    struct Case {
        const char* what;
        Bytes reply;
    } cases[] = {
        {"maximum above the capacity asked for",
         {3, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
        {"actual count above the maximum",
         {3, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
        {"actual count differs from the length",
         {2, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
        {"non-zero offset",
         {3, 0, 0, 0, 8, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0}},
        {"text cut short", {3, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a'}},
        {"status missing", {3, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'}},
        {"huge count",
         {0xff, 0xff, 0xff, 0x7f, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f}},
    };
    for (const auto& c : cases) {
        channel.reply = c.reply;
        EXPECT_EQ(StatusOf([&] { server.GetReportText(8, length, std::span<char>(text)); }),
                  dcerpc::RpcStatus::ProtocolError)
            << c.what;
    }
}

TEST_F(GoldenLayout, ConformantArrayAboveCapacityIsRejected) {
    LineEntry lines[2] = {};
    channel.reply = {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0};
    EXPECT_EQ(StatusOf([&] { server.GetLines(2, std::span<LineEntry>(lines)); }),
              dcerpc::RpcStatus::ProtocolError);
    channel.reply = {2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    EXPECT_EQ(server.GetLines(2, std::span<LineEntry>(lines)), 0);
    EXPECT_EQ(channel.request, (Bytes{2, 0}));
}

TEST_F(GoldenLayout, WriteChunkSendsCountThenConformantArray) {
    channel.reply = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0};
    TransferHandle h;
    const uint8_t data[5] = {9, 8, 7, 6, 5};
    EXPECT_EQ(server.WriteAaPrompt(h, 5, std::span<const uint8_t>(data)), 0u);
    Bytes expect(20, 0);
    expect.insert(expect.end(), {5, 0, 0, 0, 5, 0, 0, 0, 9, 8, 7, 6, 5});
    EXPECT_EQ(channel.request, expect);
    EXPECT_THROW(server.WriteAaPrompt(h, 6, std::span<const uint8_t>(data)), std::invalid_argument)
        << "a count above the data given is refused before anything is sent";
}
