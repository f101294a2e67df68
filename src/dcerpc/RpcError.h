#pragma once
// Transport failures of the RPC runtime. Server statuses are return values;
// anything that goes wrong below them (no connection, lost connection,
// malformed reply, no reply in time, fault PDU) is thrown as an RpcError
// carrying the RPC status number the client acts on.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dcerpc {

namespace RpcStatus {
inline constexpr uint32_t InvalidHandle = 6;
inline constexpr uint32_t OutOfMemory = 14;
inline constexpr uint32_t UnknownInterface = 1717;
inline constexpr uint32_t ServerUnavailable = 1722;
inline constexpr uint32_t CallFailed = 1726;
inline constexpr uint32_t CallFailedDne = 1727;
inline constexpr uint32_t ProtocolError = 1728;
inline constexpr uint32_t ProcNumOutOfRange = 1745;
inline constexpr uint32_t InvalidBinding = 1702;
inline constexpr uint32_t CallCancelled = 1818; // no reply within the call's time limit
} // namespace RpcStatus

// Fault codes carried in fault PDUs (nca_s_*).
namespace NcaStatus {
inline constexpr uint32_t ContextMismatch = 0x1c00001a;
inline constexpr uint32_t OpRangeError = 0x1c010002;
inline constexpr uint32_t UnknownInterface = 0x1c010003;
inline constexpr uint32_t ProtoError = 0x1c01000b;
inline constexpr uint32_t FaultNdr = 0x000006f7; // rpc_x_bad_stub_data as Windows reports it
} // namespace NcaStatus

class RpcError : public std::runtime_error {
public:
    // A failure of the transport itself: the call got no answer from the server.
    RpcError(uint32_t status, const std::string& what)
        : std::runtime_error(what + " (RPC status " + std::to_string(status) + ")"),
          status_(status) {}

    // The server answered the call with a fault PDU. `didNotExecute` is the
    // PDU's own word that the procedure was never run (PFC_DID_NOT_EXECUTE);
    // without it the call may have had its effect.
    static RpcError Fault(uint32_t status, bool didNotExecute) {
        RpcError e(status, didNotExecute ? "server fault, call not executed" : "server fault");
        e.fault_ = true;
        e.didNotExecute_ = didNotExecute;
        return e;
    }

    uint32_t status() const noexcept { return status_; }
    bool isFault() const noexcept { return fault_; }
    bool didNotExecute() const noexcept { return didNotExecute_; }

private:
    uint32_t status_;
    bool fault_ = false;
    bool didNotExecute_ = false;
};

// Thrown by the NDR reader and the PDU decoder for anything that does not fit
// what was asked for or what arrived.
inline RpcError ProtocolError(const std::string& what) {
    return RpcError(RpcStatus::ProtocolError, "protocol error: " + what);
}

// Maps a fault PDU's status to the number the client sees: the runtime's own
// rejections become their Windows numbers, anything else keeps its value.
uint32_t StatusFromFault(uint32_t ncaStatus);

} // namespace dcerpc
