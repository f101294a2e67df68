#include "dcerpc/RpcServer.h"

#include "dcerpc/Pdu.h"
#include "dcerpc/RpcError.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace dcerpc {

namespace {
std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", v);
    return buf;
}
} // namespace

struct RpcServer::Connection {
    TcpSocket socket;
    AssociationId id = 0;
    std::thread thread;
    std::atomic<bool> done{false};
    ServerInterface* bound = nullptr;
    uint16_t contextId = 0;
    uint16_t xmitFrag = DefaultMaxFrag; // what we may send
};

RpcServer::RpcServer(ServerOptions options) : options_(options) {}

RpcServer::~RpcServer() {
    Stop();
}

void RpcServer::AddInterface(ServerInterface* iface) {
    interfaces_.push_back(iface);
}

uint16_t RpcServer::Listen(const std::string& address, uint16_t port) {
    auto l = std::make_unique<TcpListener>();
    uint16_t bound = l->Listen(address, port);
    listeners_.push_back(std::move(l));
    return bound;
}

void RpcServer::Start() {
    for (auto& l : listeners_)
        acceptThreads_.emplace_back([this, p = l.get()] { AcceptLoop(p); });
}

void RpcServer::Stop() {
    if (stopping_.exchange(true))
        return;
    for (auto& l : listeners_)
        l->Shutdown();
    for (auto& t : acceptThreads_)
        t.join();
    acceptThreads_.clear();
    {
        std::lock_guard lock(connMutex_);
        for (auto& c : connections_)
            c->socket.ShutdownBoth();
    }
    for (;;) {
        std::unique_ptr<Connection> c;
        {
            std::lock_guard lock(connMutex_);
            if (connections_.empty())
                break;
            c = std::move(connections_.front());
            connections_.pop_front();
        }
        c->thread.join();
    }
    for (auto& l : listeners_)
        l->Close();
}

void RpcServer::Reap() {
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard lock(connMutex_);
        for (auto it = connections_.begin(); it != connections_.end();) {
            if ((*it)->done) {
                finished.push_back(std::move(*it));
                it = connections_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& c : finished)
        c->thread.join();
}

void RpcServer::AcceptLoop(TcpListener* listener) {
    while (!stopping_) {
        TcpSocket s = listener->Accept();
        if (!s.IsOpen())
            return;
        Reap();
        auto conn = std::make_unique<Connection>();
        conn->socket = std::move(s);
        conn->id = nextAssociation_++;
        Connection* raw = conn.get();
        std::lock_guard lock(connMutex_);
        if (stopping_)
            return;
        connections_.push_back(std::move(conn));
        raw->thread = std::thread([this, raw] { Serve(raw); });
    }
}

void RpcServer::Serve(Connection* conn) {
    try {
        for (;;) {
            std::vector<uint8_t> pdu = ReadFragment(conn->socket);
            if (pdu.empty())
                break;
            PduHeader h = DecodeHeader(pdu);
            bool keep = true;
            switch (h.ptype) {
            case PType::Bind:
            case PType::AlterContext:
                keep = HandleBind(*conn, pdu);
                break;
            case PType::Request:
                keep = HandleRequest(*conn, pdu);
                break;
            case PType::Shutdown:
            case PType::Orphaned:
            case PType::CoCancel:
                break;
            default:
                keep = false;
                break;
            }
            if (!keep)
                break;
        }
    } catch (const RpcError&) {
        // A peer that cannot frame its PDUs loses its connection.
    }
    conn->socket.Close();
    if (conn->bound) {
        std::lock_guard lock(dispatchMutex_);
        for (auto* iface : interfaces_)
            iface->AssociationClosed(conn->id);
    }
    conn->done = true;
}

bool RpcServer::HandleBind(Connection& c, const std::vector<uint8_t>& pdu) {
    PduHeader h = DecodeHeader(pdu);
    BindBody body = DecodeBind(h, pdu);
    const SyntaxId ndr = NdrSyntax();
    BindAckBody ack;
    ack.maxXmitFrag = std::min(options_.maxFrag, std::max(body.maxRecvFrag, MinMaxFrag));
    ack.maxRecvFrag = options_.maxFrag;
    ack.assocGroup = body.assocGroup ? body.assocGroup : 0x5a58;
    bool accepted = false;
    for (const auto& ctx : body.contexts) {
        ServerInterface* iface = nullptr;
        for (auto* candidate : interfaces_)
            if (candidate->Syntax() == ctx.abstract)
                iface = candidate;
        bool ndrOffered =
            std::find(ctx.transfer.begin(), ctx.transfer.end(), ndr) != ctx.transfer.end();
        ContextResult res;
        if (iface && ndrOffered && !accepted) {
            res.result = 0;
            res.transfer = ndr;
            c.bound = iface;
            c.contextId = ctx.contextId;
            accepted = true;
        } else {
            res.result = 2;             // provider rejection
            res.reason = iface ? 2 : 1; // transfer syntaxes / abstract syntax not supported
        }
        ack.results.push_back(res);
    }
    bool big = options_.bigEndian;
    if (!accepted && h.ptype == PType::Bind) {
        // Nobody here serves what was asked for: refuse the association.
        c.socket.SendAll(EncodeBindNak(h.callId, 0, big));
        return false;
    }
    c.xmitFrag = ack.maxXmitFrag;
    ack.secondaryAddress = h.ptype == PType::Bind ? "135" : "";
    auto reply = EncodeBindAck(h.ptype == PType::Bind ? PType::BindAck : PType::AlterContextResp,
                               h.callId, ack, big);
    return c.socket.SendAll(reply);
}

bool RpcServer::HandleRequest(Connection& c, const std::vector<uint8_t>& firstPdu) {
    PduHeader h = DecodeHeader(firstPdu);
    const bool big = options_.bigEndian;
    if (!(h.flags & PfcFirstFrag))
        return false;
    CallFragment f = DecodeCallFragment(h, firstPdu);
    const uint16_t opnum = f.opnum;
    const bool requestBig = h.bigEndian;
    std::vector<uint8_t> stub(f.stub.begin(), f.stub.end());
    uint8_t flags = h.flags;
    while (!(flags & PfcLastFrag)) {
        std::vector<uint8_t> pdu = ReadFragment(c.socket);
        if (pdu.empty())
            return false;
        PduHeader nh = DecodeHeader(pdu);
        if (nh.ptype != PType::Request || nh.callId != h.callId || (nh.flags & PfcFirstFrag))
            return false;
        CallFragment nf = DecodeCallFragment(nh, pdu);
        if (stub.size() + nf.stub.size() > options_.maxRequestStub) {
            // The rest of the request is still on its way: refuse the call and
            // end the association rather than read on through it.
            c.socket.SendAll(
                EncodeFault(h.callId, f.contextId, {NcaStatus::ProtoError, true}, big));
            return false;
        }
        stub.insert(stub.end(), nf.stub.begin(), nf.stub.end());
        flags = nh.flags;
    }
    if (!c.bound || f.contextId != c.contextId)
        return c.socket.SendAll(
            EncodeFault(h.callId, f.contextId, {NcaStatus::UnknownInterface, true}, big));

    NdrWriter out(big);
    std::optional<RpcFault> fault;
    try {
        NdrReader in(stub, requestBig);
        CallContext ctx{c.id, {}};
        std::lock_guard lock(dispatchMutex_);
        c.bound->Dispatch(ctx, opnum, in, out);
    } catch (const RpcFault& rf) {
        fault = rf;
    } catch (const RpcError&) {
        fault = RpcFault{NcaStatus::ProtoError, false};
    } catch (const DropConnection&) {
        if (options_.verbose)
            std::fprintf(stderr, "zaxsim: association %llu opnum %u: connection dropped\n",
                         static_cast<unsigned long long>(c.id), opnum);
        return false;
    } catch (const std::bad_alloc&) {
        fault = RpcFault{NcaStatus::ProtoError, false};
    }
    if (options_.verbose)
        std::fprintf(stderr, "zaxsim: association %llu call %u opnum %u -> %s\n",
                     static_cast<unsigned long long>(c.id), h.callId, opnum,
                     fault ? ("fault 0x" + Hex(fault->status) +
                              (fault->didNotExecute ? " (not executed)" : ""))
                                 .c_str()
                           : ("reply of " + std::to_string(out.size()) + " bytes").c_str());
    if (fault)
        return c.socket.SendAll(EncodeFault(h.callId, f.contextId, *fault, big));
    for (const auto& frag : EncodeResponse(h.callId, f.contextId, out.bytes(), c.xmitFrag, big))
        if (!c.socket.SendAll(frag))
            return false;
    return true;
}

} // namespace dcerpc
