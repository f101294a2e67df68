#include "dcerpc/Pdu.h"
#include "dcerpc/EndpointMapper.h"
#include "dcerpc/RpcError.h"

#include "../support/RpcStatusOf.h"

#include <gtest/gtest.h>

using namespace dcerpc;

namespace {
std::vector<uint8_t> Stub(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(i * 7 + 3);
    return v;
}

using testsupport::StatusOf;
} // namespace

TEST(Pdu, MalformedHeadersAreProtocolErrors) {
    std::vector<uint8_t> good = EncodeFault(7, 0, {NcaStatus::OpRangeError, false}, false);
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> mutate;
    } cases[] = {
        {"shorter than a header", [](auto& b) { b.resize(10); }},
        {"frag_length below 16",
         [](auto& b) {
             b[8] = 12;
             b[9] = 0;
         }},
        {"wrong major version", [](auto& b) { b[0] = 4; }},
        {"authenticated", [](auto& b) { b[10] = 8; }},
    };
    for (auto& c : cases) {
        auto b = good;
        c.mutate(b);
        EXPECT_EQ(StatusOf([&] { DecodeHeader(b); }), RpcStatus::ProtocolError) << c.what;
    }
}

TEST(Pdu, RequestFragmentsRespectMaxFragAndReassemble) {
    auto stub = Stub(10240 + 13);
    for (uint16_t maxFrag : {uint16_t(64), uint16_t(1024), uint16_t(4280), uint16_t(5840)}) {
        auto frags = EncodeRequest(9, 0, 90, stub, maxFrag);
        std::vector<uint8_t> joined;
        for (size_t i = 0; i < frags.size(); ++i) {
            PduHeader h = DecodeHeader(frags[i]);
            ASSERT_LE(h.fragLength, maxFrag);
            ASSERT_EQ(h.fragLength, frags[i].size());
            EXPECT_EQ(h.callId, 9u);
            EXPECT_EQ((h.flags & PfcFirstFrag) != 0, i == 0);
            EXPECT_EQ((h.flags & PfcLastFrag) != 0, i + 1 == frags.size());
            CallFragment f = DecodeCallFragment(h, frags[i]);
            EXPECT_EQ(f.opnum, 90);
            EXPECT_EQ(f.allocHint, stub.size() - joined.size());
            if (i + 1 < frags.size()) {
                EXPECT_EQ(f.stub.size() % 8, 0u) << "stub chunks stay 8-byte multiples";
            }
            joined.insert(joined.end(), f.stub.begin(), f.stub.end());
        }
        EXPECT_EQ(joined, stub) << "maxFrag " << maxFrag;
    }
}

TEST(Pdu, EmptyStubIsOneFragment) {
    auto frags = EncodeResponse(3, 0, {}, 5840, false);
    ASSERT_EQ(frags.size(), 1u);
    EXPECT_EQ(frags[0].size(), 24u);
    EXPECT_EQ(frags[0][3], PfcFirstFrag | PfcLastFrag);
}

TEST(Pdu, FaultCarriesItsStatusAndTheNotExecutedFlag) {
    for (bool big : {false, true}) {
        for (bool dne : {false, true}) {
            auto pdu = EncodeFault(7, 0, {0x1c00001b, dne}, big);
            ASSERT_EQ(pdu.size(), 32u);
            EXPECT_EQ(pdu[3], dne ? 0x23 : 0x03) << "pfc_flags: first, last and 0x20";
            PduHeader h = DecodeHeader(pdu);
            EXPECT_EQ(DecodeCallFragment(h, pdu).status, 0x1c00001bu);
        }
    }
}

TEST(Pdu, FaultStatusesMapToWindowsNumbersOrKeepTheirValue) {
    struct Case {
        uint32_t nca;
        uint32_t status;
    } cases[] = {
        {NcaStatus::OpRangeError, 1745}, {NcaStatus::UnknownInterface, 1717},
        {NcaStatus::ContextMismatch, 6}, {NcaStatus::ProtoError, 1728},
        {0x1c000012, 0x1c000012}, // no Windows number known here: passed on
        {0x1c00001b, 0x1c00001b},        {5, 5},
        {0x80000001, 0x80000001},
    };
    for (auto& c : cases)
        EXPECT_EQ(StatusFromFault(c.nca), c.status) << std::hex << c.nca;
}

TEST(Pdu, BindAndBindAckRoundTripInBothByteOrders) {
    SyntaxId iface{Uuid::Parse("00000000-ae90-1970-afc5-02608cac9709"), 40300, 0};
    for (bool big : {false, true}) {
        BindBody b;
        b.maxXmitFrag = 4280;
        b.maxRecvFrag = 1024;
        b.contexts.push_back({0, iface, {NdrSyntax()}});
        auto pdu = EncodeBind(PType::Bind, 1, b, big);
        PduHeader h = DecodeHeader(pdu);
        EXPECT_EQ(h.bigEndian, big);
        BindBody d = DecodeBind(h, pdu);
        EXPECT_EQ(d.maxXmitFrag, 4280);
        EXPECT_EQ(d.maxRecvFrag, 1024);
        ASSERT_EQ(d.contexts.size(), 1u);
        EXPECT_EQ(d.contexts[0].abstract, iface);
        EXPECT_EQ(d.contexts[0].transfer[0], NdrSyntax());

        BindAckBody a;
        a.secondaryAddress = "49152";
        a.results.push_back({0, 0, NdrSyntax()});
        auto ackPdu = EncodeBindAck(PType::BindAck, 1, a, big);
        BindAckBody da = DecodeBindAck(DecodeHeader(ackPdu), ackPdu);
        EXPECT_EQ(da.secondaryAddress, "49152");
        ASSERT_EQ(da.results.size(), 1u);
        EXPECT_EQ(da.results[0].transfer, NdrSyntax());
    }
}

TEST(Pdu, SyntaxVersionIsOneWordMajorLowMinorHigh) {
    NdrWriter w;
    EncodeSyntax(w, {Uuid::Parse("00000000-ae90-1970-afc5-02608cac9709"), 40300, 0});
    const std::vector<uint8_t> expect = {0x00, 0x00, 0x00, 0x00, 0x90, 0xae, 0x70,
                                         0x19, 0xaf, 0xc5, 0x02, 0x60, 0x8c, 0xac,
                                         0x97, 0x09, 0x6c, 0x9d, 0x00, 0x00};
    EXPECT_EQ(w.bytes(), expect);
}

TEST(Pdu, BindAckTruncatedInsideResultsIsProtocolError) {
    BindAckBody a;
    a.results.push_back({0, 0, NdrSyntax()});
    auto pdu = EncodeBindAck(PType::BindAck, 1, a, false);
    pdu.resize(pdu.size() - 5);
    pdu[8] = static_cast<uint8_t>(pdu.size());
    EXPECT_EQ(StatusOf([&] { DecodeBindAck(DecodeHeader(pdu), pdu); }), RpcStatus::ProtocolError);
}

TEST(Ndr, ReaderChecksEveryReadAgainstWhatArrived) {
    std::vector<uint8_t> three = {1, 2, 3};
    NdrReader r(three, false);
    EXPECT_EQ(r.U16(), 0x0201);
    EXPECT_EQ(StatusOf([&] { r.U32(); }), RpcStatus::ProtocolError) << "alignment pad then 4 bytes";
    NdrReader counts(three, false);
    EXPECT_EQ(StatusOf([&] { counts.CheckedCount(5, 10, 1); }), RpcStatus::ProtocolError);
    EXPECT_EQ(StatusOf([&] { counts.CheckedCount(11, 10, 0); }), RpcStatus::ProtocolError);
    EXPECT_EQ(counts.CheckedCount(3, 10, 1), 3u);
}

TEST(Ndr, BigEndianIntegersDecodeByLabel) {
    std::vector<uint8_t> b = {0x12, 0x34, 0, 0, 0xDE, 0xAD, 0xBE, 0xEF};
    NdrReader r(b, true);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.U32(), 0xDEADBEEFu);
    NdrWriter w(true);
    w.U16(0x1234);
    w.U32(0xDEADBEEF);
    EXPECT_EQ(w.bytes(), b);
}
