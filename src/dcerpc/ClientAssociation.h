#pragma once
// The client side of one association: a TCP connection bound to one
// interface. The connection is made (endpoint resolved, bound) on the first
// call and again on the first call after it was lost.

#include "dcerpc/Pdu.h"
#include "dcerpc/RpcError.h"
#include "dcerpc/Socket.h"
#include "dcerpc/Uuid.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace dcerpc {

struct CallReply {
    bool bigEndian = false;
    std::vector<uint8_t> stub;
};

// How long a client waits before it gives up on the server.
struct CallTimeouts {
    // Making the connection and binding: a server on the network answers in
    // well under a second, while the system's own limit for an unanswered
    // connection is about two minutes — far too long to keep the log-in
    // waiting on a mistyped address.
    std::chrono::milliseconds connect{15000};
    // From sending a request to the last fragment of its reply. The slowest
    // procedures (a report prepared on the server, a range of mailboxes
    // added) take seconds; a minute leaves ample room for a loaded server
    // while a dead one is still noticed before the administrator gives up.
    std::chrono::milliseconds reply{60000};
};

// The defaults above, or both set to ZAXMGR_RPC_TIMEOUT_MS when that holds a
// positive number of milliseconds (tests use a few seconds).
CallTimeouts DefaultCallTimeouts();

class ClientAssociation {
public:
    // `resolvePort` gives the TCP port of the interface (for example through
    // the endpoint mapper); it is asked again at every reconnection.
    using PortResolver = std::function<uint16_t()>;
    ClientAssociation(std::string address, SyntaxId iface, PortResolver resolvePort);

    // Sends one request and waits for its reply. Throws RpcError: 1722 when the
    // server cannot be reached or bound in time, 1726 when the connection fails
    // during the call, 1818 when the reply is not complete within the reply
    // time limit, 1728 for a malformed reply, the fault's status for a fault.
    CallReply Call(uint16_t opnum, std::span<const uint8_t> stub);

    // The largest fragment this side offers to send and receive (bind).
    void SetMaxFrag(uint16_t maxFrag) { offeredFrag_ = maxFrag; }
    void SetTimeouts(const CallTimeouts& t) { timeouts_ = t; }
    const CallTimeouts& timeouts() const { return timeouts_; }
    uint16_t negotiatedXmitFrag() const { return xmitFrag_; }
    bool connected() const { return socket_.IsOpen(); }
    void Disconnect();

private:
    void Connect();
    void Bind();
    CallReply ReadReply(uint32_t callId);
    RpcError LostOrLate(const std::string& lost) const;

    std::string address_;
    SyntaxId iface_;
    PortResolver resolvePort_;
    TcpSocket socket_;
    uint16_t offeredFrag_ = DefaultMaxFrag;
    uint16_t xmitFrag_ = DefaultMaxFrag;
    uint16_t recvFrag_ = DefaultMaxFrag;
    uint32_t nextCallId_ = 1;
    CallTimeouts timeouts_ = DefaultCallTimeouts();
};

// The largest reply stub a client accepts (the biggest reply of this
// interface is a few kilobytes; anything far above is a broken peer).
inline constexpr size_t MaxReplyStub = 4 * 1024 * 1024;

} // namespace dcerpc
