#pragma once
// The server side of the runtime: listens on TCP, binds associations to the
// registered interfaces, reassembles requests, dispatches them one at a time
// and fragments the replies.

#include "dcerpc/ContextHandle.h"
#include "dcerpc/Ndr.h"
#include "dcerpc/Pdu.h"
#include "dcerpc/Socket.h"
#include "dcerpc/Uuid.h"

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dcerpc {

// A dispatcher throws RpcFault (Pdu.h) to answer the call with a fault PDU.
// Thrown by a dispatcher to close the connection without answering.
struct DropConnection {};

struct CallContext {
    AssociationId association = 0;
    std::string peer;
};

class ServerInterface {
public:
    virtual ~ServerInterface() = default;
    virtual SyntaxId Syntax() const = 0;
    // Decodes `in`, runs procedure `opnum` and encodes its reply into `out`.
    // Throws RpcFault (nca_s_op_rng_error for an opnum it does not serve) or
    // DropConnection. A fault raised before anything ran (an unserved opnum,
    // a request that cannot be decoded) says so with didNotExecute, so that
    // the client may repeat the call. An RpcError that escapes becomes
    // nca_s_proto_error without that flag: the runtime cannot tell whether
    // the procedure had already run.
    virtual void Dispatch(const CallContext& ctx, uint16_t opnum, NdrReader& in,
                          NdrWriter& out) = 0;
    // The association's connection closed: run down what it held.
    virtual void AssociationClosed(AssociationId) {}
};

struct ServerOptions {
    bool bigEndian = false;            // answer in the big-endian data representation
    uint16_t maxFrag = DefaultMaxFrag; // largest fragment this server offers
    size_t maxRequestStub = 1024 * 1024;
    bool verbose = false; // log every association and call to stderr
};

class RpcServer {
public:
    explicit RpcServer(ServerOptions options);
    RpcServer() : RpcServer(ServerOptions{}) {}
    ~RpcServer();
    RpcServer(const RpcServer&) = delete;
    RpcServer& operator=(const RpcServer&) = delete;

    // Interfaces must be added before Start; they are not owned.
    void AddInterface(ServerInterface* iface);
    // Listens on address:port (0 = chosen by the system) and returns the port.
    uint16_t Listen(const std::string& address, uint16_t port);
    void Start();
    void Stop();

private:
    struct Connection;
    void AcceptLoop(TcpListener* listener);
    void Serve(Connection* conn);
    bool HandleBind(Connection& c, const std::vector<uint8_t>& pdu);
    bool HandleRequest(Connection& c, const std::vector<uint8_t>& first);
    void Reap();

    ServerOptions options_;
    std::vector<ServerInterface*> interfaces_;
    std::vector<std::unique_ptr<TcpListener>> listeners_;
    std::vector<std::thread> acceptThreads_;
    std::mutex connMutex_;
    std::list<std::unique_ptr<Connection>> connections_;
    std::mutex dispatchMutex_; // procedures run one at a time, as on the real server
    std::atomic<bool> stopping_{false};
    std::atomic<AssociationId> nextAssociation_{1};
};

} // namespace dcerpc
