// The runtime end to end over loopback: a small test interface served by
// RpcServer and called through ClientAssociation.

#include "dcerpc/ClientAssociation.h"
#include "dcerpc/RpcError.h"
#include "dcerpc/RpcServer.h"

#include "../support/RpcStatusOf.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>

using namespace dcerpc;

namespace {

const SyntaxId kEcho{Uuid::Parse("6b2f0d5e-3c1a-4f7e-9a55-0123456789ab"), 1, 0};

class EchoInterface : public ServerInterface {
public:
    SyntaxId Syntax() const override { return kEcho; }
    void Dispatch(const CallContext& ctx, uint16_t opnum, NdrReader& in, NdrWriter& out) override {
        switch (opnum) {
        case 0: { // echo a conformant byte array
            uint32_t n = in.CheckedCount(in.U32(), 1 << 20, 1);
            std::vector<uint8_t> b(n);
            in.Bytes(b.data(), n);
            out.U32(n);
            out.Bytes(b.data(), n);
            out.U16(0xBEEF);
            return;
        }
        case 1:
            if (dropsLeft > 0) {
                --dropsLeft;
                throw DropConnection{};
            }
            out.U32(0x12345678);
            return;
        case 2:
            WriteContextHandle(out, handles.Create(ctx.association, 1, [this] { ++rundowns; }));
            return;
        case 3: { // answer with the fault the request names
            uint32_t status = in.U32();
            bool notExecuted = in.U8() != 0;
            throw RpcFault{status, notExecuted};
        }
        default:
            throw RpcFault{NcaStatus::OpRangeError};
        }
    }
    void AssociationClosed(AssociationId id) override { handles.RundownAssociation(id); }

    std::atomic<int> dropsLeft{0};
    std::atomic<int> rundowns{0};
    ContextHandleTable handles;
};

struct Loopback {
    explicit Loopback(ServerOptions o = {}) : server(o) {
        server.AddInterface(&echo);
        port = server.Listen("127.0.0.1", 0);
        server.Start();
    }
    ClientAssociation Client(SyntaxId iface = kEcho) {
        ClientAssociation c("127.0.0.1", iface, [p = port] { return p; });
        c.SetTimeouts({std::chrono::seconds(5), std::chrono::seconds(5)});
        return c;
    }
    EchoInterface echo;
    RpcServer server;
    uint16_t port = 0;
};

std::vector<uint8_t> EchoRequest(size_t n) {
    NdrWriter w;
    w.U32(static_cast<uint32_t>(n));
    for (size_t i = 0; i < n; ++i)
        w.U8(static_cast<uint8_t>(i ^ (i >> 8)));
    return w.take();
}

using testsupport::StatusOf;

void ExpectEcho(ClientAssociation& c, size_t n) {
    auto req = EchoRequest(n);
    CallReply reply = c.Call(0, req);
    NdrReader r(reply.stub, reply.bigEndian);
    ASSERT_EQ(r.U32(), n);
    std::vector<uint8_t> back(n);
    r.Bytes(back.data(), n);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), req.begin() + 4));
    EXPECT_EQ(r.U16(), 0xBEEF);
}

} // namespace

TEST(Loopback, FragmentsBothWaysInBothByteOrdersAndSmallFragments) {
    for (bool big : {false, true}) {
        for (uint16_t frag : {uint16_t(64), uint16_t(1432), uint16_t(5840)}) {
            ServerOptions o;
            o.bigEndian = big;
            o.maxFrag = frag;
            Loopback lb(o);
            auto c = lb.Client();
            c.SetMaxFrag(frag);
            for (size_t n : {size_t(0), size_t(1), size_t(10240), size_t(70000)})
                ExpectEcho(c, n);
            EXPECT_LE(c.negotiatedXmitFrag(), frag);
        }
    }
}

TEST(Loopback, UnservedOpnumIsAFaultAndTheAssociationSurvives) {
    Loopback lb;
    auto c = lb.Client();
    EXPECT_EQ(StatusOf([&] { c.Call(42, {}); }), RpcStatus::ProcNumOutOfRange);
    EXPECT_TRUE(c.connected());
    ExpectEcho(c, 5);
}

TEST(Loopback, FaultsArriveWithTheirOwnCodeAndFlagAndTheAssociationSurvives) {
    struct Case {
        uint32_t nca;
        bool notExecuted;
        uint32_t status;
    } cases[] = {
        {NcaStatus::OpRangeError, true, RpcStatus::ProcNumOutOfRange},
        {NcaStatus::OpRangeError, false, RpcStatus::ProcNumOutOfRange},
        {0x1c00001b, false, 0x1c00001b}, // not one the client knows: never 1726
        {0x1c000012, true, 0x1c000012},
        {RpcStatus::CallFailed, false, RpcStatus::CallFailed},
    };
    Loopback lb;
    auto c = lb.Client();
    for (auto& k : cases) {
        NdrWriter w;
        w.U32(k.nca);
        w.U8(k.notExecuted);
        try {
            c.Call(3, w.bytes());
            ADD_FAILURE() << "no fault for " << std::hex << k.nca;
        } catch (const RpcError& e) {
            EXPECT_EQ(e.status(), k.status) << std::hex << k.nca;
            EXPECT_TRUE(e.isFault()) << std::hex << k.nca;
            EXPECT_EQ(e.didNotExecute(), k.notExecuted) << std::hex << k.nca;
        }
        EXPECT_TRUE(c.connected()) << std::hex << k.nca;
    }
    ExpectEcho(c, 5);
}

TEST(Loopback, RequestOnAContextNeverBoundIsAFaultFlaggedNotExecuted) {
    Loopback lb;
    TcpSocket s;
    ASSERT_TRUE(s.Connect("127.0.0.1", lb.port));
    s.SetDeadline(Clock::now() + std::chrono::seconds(5));
    BindBody bind;
    bind.contexts.push_back({0, kEcho, {NdrSyntax()}});
    ASSERT_TRUE(s.SendAll(EncodeBind(PType::Bind, 1, bind)));
    ASSERT_FALSE(ReadFragment(s).empty());
    ASSERT_TRUE(s.SendAll(EncodeRequest(2, 7, 1, {}, DefaultMaxFrag)[0]));
    auto pdu = ReadFragment(s);
    ASSERT_FALSE(pdu.empty());
    PduHeader h = DecodeHeader(pdu);
    ASSERT_EQ(h.ptype, PType::Fault);
    EXPECT_NE(h.flags & PfcDidNotExecute, 0);
    EXPECT_EQ(DecodeCallFragment(h, pdu).status, NcaStatus::UnknownInterface);
}

TEST(Loopback, UnknownInterfaceIsRefusedAtBind) {
    Loopback lb;
    SyntaxId other = kEcho;
    other.major = 2;
    auto c = lb.Client(other);
    EXPECT_EQ(StatusOf([&] { c.Call(0, EchoRequest(1)); }), RpcStatus::UnknownInterface);
    EXPECT_FALSE(c.connected());
}

TEST(Loopback, LostConnectionFailsTheCallWith1726AndTheNextCallReconnects) {
    Loopback lb;
    auto c = lb.Client();
    ExpectEcho(c, 3);
    lb.echo.dropsLeft = 1;
    EXPECT_EQ(StatusOf([&] { c.Call(1, {}); }), RpcStatus::CallFailed);
    EXPECT_FALSE(c.connected());
    CallReply reply = c.Call(1, {}); // reconnect and rebind
    NdrReader r(reply.stub, reply.bigEndian);
    EXPECT_EQ(r.U32(), 0x12345678u);
}

TEST(Loopback, UnreachableServerIs1722) {
    uint16_t port;
    {
        Loopback lb;
        port = lb.port;
    } // the server is gone; nothing listens there now
    ClientAssociation c("127.0.0.1", kEcho, [port] { return port; });
    EXPECT_EQ(StatusOf([&] { c.Call(0, EchoRequest(1)); }), RpcStatus::ServerUnavailable);
}

TEST(Loopback, ContextHandlesAreRunDownWhenTheConnectionCloses) {
    Loopback lb;
    {
        auto c = lb.Client();
        CallReply reply = c.Call(2, {});
        NdrReader r(reply.stub, reply.bigEndian);
        ContextHandle h = ReadContextHandle(r);
        EXPECT_FALSE(h.IsNull());
        EXPECT_EQ(lb.echo.handles.size(), 1u);
    }
    for (int i = 0; i < 200 && lb.echo.rundowns == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(lb.echo.rundowns, 1);
    EXPECT_EQ(lb.echo.handles.size(), 0u);
}

TEST(Loopback, GarbageFromThePeerIsAProtocolErrorNotACrash) {
    TcpListener l;
    uint16_t port = l.Listen("127.0.0.1", 0);
    std::thread peer([&] {
        TcpSocket s = l.Accept();
        ReadFragment(s); // the bind
        std::vector<uint8_t> junk = {5, 0, 12, 3, 0x10, 0, 0, 0, 0xff, 0xff, 0, 0, 1, 0, 0, 0};
        junk.resize(64, 0xAB); // claims 65535 bytes, sends 64, then hangs up
        s.SendAll(junk);
    });
    ClientAssociation c("127.0.0.1", kEcho, [port] { return port; });
    uint32_t status = StatusOf([&] { c.Call(0, EchoRequest(1)); });
    peer.join();
    EXPECT_EQ(status, RpcStatus::ServerUnavailable) << "bind answered by a truncated PDU";
}

namespace {

// A server that binds (or not) and then answers the first request wrongly,
// holding the connection until the client gives up. Its own socket has a
// deadline too, so a client that never gives up fails the test instead of
// hanging it.
class StallingPeer {
public:
    using Answer = std::function<void(TcpSocket&, uint32_t callId)>;
    StallingPeer(bool answersBind, Answer answer) {
        port = listener_.Listen("127.0.0.1", 0);
        thread_ = std::thread([this, answersBind, answer] {
            TcpSocket s = listener_.Accept();
            s.SetDeadline(Clock::now() + std::chrono::seconds(20));
            auto bind = ReadFragment(s);
            if (bind.empty())
                return;
            if (answersBind) {
                BindAckBody ack;
                ack.results.push_back({0, 0, NdrSyntax()});
                s.SendAll(EncodeBindAck(PType::BindAck, DecodeHeader(bind).callId, ack, false));
                auto request = ReadFragment(s);
                if (request.empty())
                    return;
                answer(s, DecodeHeader(request).callId);
            }
            uint8_t byte;
            while (s.IsOpen() && s.RecvExact(&byte, 1)) {
            } // until the client hangs up, or the answer did
        });
    }
    ~StallingPeer() { thread_.join(); }
    uint16_t port = 0;

private:
    TcpListener listener_;
    std::thread thread_;
};

std::vector<uint8_t> Reply(uint32_t callId) {
    return EncodeResponse(callId, 0, std::vector<uint8_t>(16, 0x11), DefaultMaxFrag, false)[0];
}

} // namespace

TEST(Timeouts, AServerThatStopsAnsweringFailsTheCallInTime) {
    using std::chrono::milliseconds;
    struct Case {
        const char* what;
        bool answersBind;
        StallingPeer::Answer answer;
        uint32_t status;
    } cases[] = {
        {"silent after the request", true, [](TcpSocket&, uint32_t) {}, RpcStatus::CallCancelled},
        {"half a reply", true,
         [](TcpSocket& s, uint32_t id) {
             auto pdu = Reply(id);
             s.SendAll(std::span(pdu).first(pdu.size() / 2));
         },
         RpcStatus::CallCancelled},
        {"a header promising more than comes", true,
         [](TcpSocket& s, uint32_t id) {
             auto pdu = Reply(id);
             pdu[8] = static_cast<uint8_t>(pdu.size() + 100);
             s.SendAll(pdu);
         },
         RpcStatus::CallCancelled},
        {"a byte at a time, each well within the limit", true,
         [](TcpSocket& s, uint32_t id) {
             auto pdu = Reply(id);
             pdu.resize(1000);
             pdu[8] = static_cast<uint8_t>(1000 & 0xff);
             pdu[9] = static_cast<uint8_t>(1000 >> 8);
             for (uint8_t b : pdu) {
                 if (!s.SendAll(std::span(&b, 1)))
                     return;
                 std::this_thread::sleep_for(milliseconds(100));
             }
         },
         RpcStatus::CallCancelled},
        {"no answer to the bind", false, nullptr, RpcStatus::ServerUnavailable},
    };
    for (auto& k : cases) {
        StallingPeer peer(k.answersBind, k.answer);
        ClientAssociation c("127.0.0.1", kEcho, [p = peer.port] { return p; });
        c.SetTimeouts({milliseconds(1000), milliseconds(1000)});
        const auto start = Clock::now();
        EXPECT_EQ(StatusOf([&] { c.Call(1, {}); }), k.status) << k.what;
        const auto took = Clock::now() - start;
        EXPECT_GE(took, milliseconds(950)) << k.what;
        EXPECT_LT(took, milliseconds(2500)) << k.what;
        EXPECT_FALSE(c.connected()) << k.what << ": a late reply must not answer the next call";
    }
}

// Replies no server should send: each ends the call with a clear status in
// bounded time and reads nothing beyond what arrived; a reply left half read
// leaves the client disconnected, so that nothing late answers the next call.
TEST(HostileServer, MalformedRepliesEndTheCallWithAClearStatus) {
    using std::chrono::milliseconds;
    // Two fragments' worth of reply, split small so that there is a middle.
    auto twoFragments = [](uint32_t id) {
        return EncodeResponse(id, 0, std::vector<uint8_t>(200, 0x22), 160, false);
    };
    struct Case {
        const char* what;
        StallingPeer::Answer answer;
        uint32_t status;
        bool staysConnected = false; // the fault ended the call cleanly
    } cases[] = {
        {"a reply to another call", [](TcpSocket& s, uint32_t id) { s.SendAll(Reply(id + 7)); },
         RpcStatus::ProtocolError},
        {"a fragment shorter than its own header",
         [](TcpSocket& s, uint32_t id) {
             auto pdu = Reply(id);
             pdu[8] = 10;
             pdu[9] = 0;
             s.SendAll(pdu);
         },
         RpcStatus::ProtocolError},
        {"a fragment larger than the agreed limit",
         [](TcpSocket& s, uint32_t id) {
             auto pdu = EncodeResponse(id, 0, std::vector<uint8_t>(20000, 0x33), 0xFFFF, false)[0];
             s.SendAll(pdu);
         },
         RpcStatus::ProtocolError},
        {"a fault after the first fragment",
         [&twoFragments](TcpSocket& s, uint32_t id) {
             auto frags = twoFragments(id);
             s.SendAll(frags[0]);
             s.SendAll(EncodeFault(id, 0, RpcFault{NcaStatus::OpRangeError, false}, false));
         },
         RpcStatus::ProcNumOutOfRange, true},
        {"the connection closed in the middle of a reply",
         [&twoFragments](TcpSocket& s, uint32_t id) {
             auto frags = twoFragments(id);
             s.SendAll(frags[0]);
             s.SendAll(std::span(frags[1]).first(20));
             s.Close();
         },
         RpcStatus::CallFailed},
    };
    for (auto& k : cases) {
        StallingPeer peer(true, k.answer);
        ClientAssociation c("127.0.0.1", kEcho, [p = peer.port] { return p; });
        c.SetTimeouts({milliseconds(1000), milliseconds(1000)});
        const auto start = Clock::now();
        EXPECT_EQ(StatusOf([&] { c.Call(1, {}); }), k.status) << k.what;
        EXPECT_LT(Clock::now() - start, milliseconds(2500)) << k.what;
        EXPECT_EQ(c.connected(), k.staysConnected) << k.what;
    }
}

TEST(Timeouts, EnvironmentSetsBothLimitsWhenItHoldsAPositiveNumber) {
    struct Case {
        const char* value; // nullptr: unset
        long long connectMs;
        long long replyMs;
    } cases[] = {
        {nullptr, 15000, 60000},
        {"2500", 2500, 2500},
        {"0", 15000, 60000},
        {"-5", 15000, 60000},
        {"3s", 15000, 60000},
        {"", 15000, 60000},
        {"99999999999999999999", 86400000, 86400000}, // capped at a day, no overflow
    };
    for (auto& k : cases) {
        if (k.value)
            setenv("ZAXMGR_RPC_TIMEOUT_MS", k.value, 1);
        else
            unsetenv("ZAXMGR_RPC_TIMEOUT_MS");
        CallTimeouts t = DefaultCallTimeouts();
        EXPECT_EQ(t.connect.count(), k.connectMs) << (k.value ? k.value : "unset");
        EXPECT_EQ(t.reply.count(), k.replyMs) << (k.value ? k.value : "unset");
    }
    unsetenv("ZAXMGR_RPC_TIMEOUT_MS");
}
