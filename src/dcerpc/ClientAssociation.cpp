#include "dcerpc/ClientAssociation.h"

#include "dcerpc/RpcError.h"

#include <algorithm>
#include <cstdlib>

namespace dcerpc {

CallTimeouts DefaultCallTimeouts() {
    CallTimeouts t;
    if (const char* env = std::getenv("ZAXMGR_RPC_TIMEOUT_MS"); env && *env) {
        char* end = nullptr;
        const long long ms = std::strtoll(env, &end, 10);
        constexpr long long kDay = 24LL * 60 * 60 * 1000; // keeps now() + limit far from overflow
        if (*end == '\0' && ms > 0)
            t.connect = t.reply = std::chrono::milliseconds(std::min(ms, kDay));
    }
    return t;
}

ClientAssociation::ClientAssociation(std::string address, SyntaxId iface, PortResolver resolvePort)
    : address_(std::move(address)), iface_(iface), resolvePort_(std::move(resolvePort)) {}

void ClientAssociation::Disconnect() {
    socket_.Close();
}

void ClientAssociation::Connect() {
    uint16_t port = resolvePort_(); // throws 1722 itself when the interface cannot be mapped
    // The connection and the bind share one time limit: nothing of the call
    // has been sent yet, so running out of it is "server unavailable".
    socket_.SetDeadline(Clock::now() + timeouts_.connect);
    if (!socket_.Connect(address_, port))
        throw RpcError(RpcStatus::ServerUnavailable,
                       (socket_.TimedOut() ? "no answer in time from " : "cannot connect to ") +
                           address_ + ":" + std::to_string(port));
    try {
        Bind();
    } catch (...) {
        socket_.Close();
        throw;
    }
}

void ClientAssociation::Bind() {
    BindBody body;
    body.maxXmitFrag = offeredFrag_;
    body.maxRecvFrag = offeredFrag_;
    body.contexts.push_back({0, iface_, {NdrSyntax()}});
    const uint32_t callId = nextCallId_++;
    if (!socket_.SendAll(EncodeBind(PType::Bind, callId, body)))
        throw RpcError(RpcStatus::ServerUnavailable, "connection lost while binding");
    std::vector<uint8_t> pdu = ReadFragment(socket_);
    if (pdu.empty())
        throw RpcError(RpcStatus::ServerUnavailable, socket_.TimedOut()
                                                         ? "no answer to the bind in time"
                                                         : "connection lost while binding");
    PduHeader h = DecodeHeader(pdu);
    if (h.ptype == PType::BindNak)
        throw RpcError(RpcStatus::UnknownInterface, "bind rejected");
    if (h.ptype != PType::BindAck || h.callId != callId)
        throw ProtocolError("unexpected answer to bind");
    BindAckBody ack = DecodeBindAck(h, pdu);
    if (ack.results.empty() || ack.results[0].result != 0)
        throw RpcError(RpcStatus::UnknownInterface, "interface not offered by the server");
    // The server's max_xmit is what it will send us; its max_recv bounds what we send.
    xmitFrag_ = std::clamp<uint16_t>(std::min(offeredFrag_, ack.maxRecvFrag), MinMaxFrag, 65535);
    recvFrag_ = ack.maxXmitFrag;
}

CallReply ClientAssociation::Call(uint16_t opnum, std::span<const uint8_t> stub) {
    if (!socket_.IsOpen())
        Connect();
    // One limit for the whole exchange, sending included: a server that stops
    // reading or answers a byte at a time still ends the call in time.
    socket_.SetDeadline(Clock::now() + timeouts_.reply);
    const uint32_t callId = nextCallId_++;
    for (const auto& frag : EncodeRequest(callId, 0, opnum, stub, xmitFrag_)) {
        if (!socket_.SendAll(frag)) {
            socket_.Close();
            throw LostOrLate("connection lost while sending");
        }
    }
    try {
        return ReadReply(callId);
    } catch (const RpcError& e) {
        // After a malformed, lost or late reply the stream position is unknown:
        // start afresh next call. A fault is a whole answer that ends the call
        // cleanly, so the association (and the context handles the server keeps
        // for it) stays.
        if (!e.isFault())
            socket_.Close();
        throw;
    }
}

RpcError ClientAssociation::LostOrLate(const std::string& lost) const {
    // A call out of time may still run (or have run) on the server, so it gets
    // a status that nobody repeats; a broken connection keeps 1726.
    if (socket_.TimedOut())
        return RpcError(RpcStatus::CallCancelled,
                        "no reply within " + std::to_string(timeouts_.reply.count()) + " ms");
    return RpcError(RpcStatus::CallFailed, lost);
}

CallReply ClientAssociation::ReadReply(uint32_t callId) {
    CallReply reply;
    bool first = true;
    for (;;) {
        std::vector<uint8_t> pdu = ReadFragment(socket_);
        if (pdu.empty())
            throw LostOrLate("connection lost during the call");
        PduHeader h = DecodeHeader(pdu);
        // Longer than both what we offered to receive and what the server
        // said it would send: the server no longer keeps to the binding.
        if (h.fragLength > std::max(offeredFrag_, recvFrag_))
            throw ProtocolError("fragment of " + std::to_string(h.fragLength) +
                                " bytes, more than the " + std::to_string(recvFrag_) + " agreed");
        if (h.callId != callId)
            throw ProtocolError("reply for call " + std::to_string(h.callId) + ", expected " +
                                std::to_string(callId));
        if (h.ptype == PType::Fault) {
            CallFragment f = DecodeCallFragment(h, pdu);
            throw RpcError::Fault(StatusFromFault(f.status), (h.flags & PfcDidNotExecute) != 0);
        }
        if (h.ptype != PType::Response)
            throw ProtocolError("unexpected PDU type " + std::to_string(static_cast<int>(h.ptype)));
        if (first != ((h.flags & PfcFirstFrag) != 0))
            throw ProtocolError("fragment order broken");
        if (first)
            reply.bigEndian = h.bigEndian;
        else if (reply.bigEndian != h.bigEndian)
            throw ProtocolError("data representation changed between fragments");
        CallFragment f = DecodeCallFragment(h, pdu);
        if (reply.stub.size() + f.stub.size() > MaxReplyStub)
            throw ProtocolError("reply too large");
        reply.stub.insert(reply.stub.end(), f.stub.begin(), f.stub.end());
        first = false;
        if (h.flags & PfcLastFrag)
            return reply;
    }
}

} // namespace dcerpc
