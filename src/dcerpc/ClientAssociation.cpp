#include "dcerpc/ClientAssociation.h"

#include "dcerpc/RpcError.h"

#include <algorithm>

namespace dcerpc {

ClientAssociation::ClientAssociation(std::string address, SyntaxId iface, PortResolver resolvePort)
    : address_(std::move(address)), iface_(iface), resolvePort_(std::move(resolvePort)) {}

void ClientAssociation::Disconnect() {
    socket_.Close();
}

void ClientAssociation::Connect() {
    uint16_t port = resolvePort_(); // throws 1722 itself when the interface cannot be mapped
    if (!socket_.Connect(address_, port))
        throw RpcError(RpcStatus::ServerUnavailable,
                       "cannot connect to " + address_ + ":" + std::to_string(port));
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
        throw RpcError(RpcStatus::ServerUnavailable, "connection lost while binding");
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
    const uint32_t callId = nextCallId_++;
    for (const auto& frag : EncodeRequest(callId, 0, opnum, stub, xmitFrag_)) {
        if (!socket_.SendAll(frag)) {
            socket_.Close();
            throw RpcError(RpcStatus::CallFailed, "connection lost while sending");
        }
    }
    try {
        return ReadReply(callId);
    } catch (const RpcError& e) {
        // After a malformed or lost reply the stream position is unknown: start
        // afresh next call. A fault is a whole answer that ends the call
        // cleanly, so the association (and the context handles the server keeps
        // for it) stays.
        if (!e.isFault())
            socket_.Close();
        throw;
    }
}

CallReply ClientAssociation::ReadReply(uint32_t callId) {
    CallReply reply;
    bool first = true;
    for (;;) {
        std::vector<uint8_t> pdu = ReadFragment(socket_);
        if (pdu.empty())
            throw RpcError(RpcStatus::CallFailed, "connection lost during the call");
        PduHeader h = DecodeHeader(pdu);
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
