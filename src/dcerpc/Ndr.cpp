#include "dcerpc/Ndr.h"

namespace dcerpc {

void NdrWriter::Patch16(size_t at, uint16_t v) {
    if (bigEndian_) {
        buf_.at(at) = static_cast<uint8_t>(v >> 8);
        buf_.at(at + 1) = static_cast<uint8_t>(v);
    } else {
        buf_.at(at) = static_cast<uint8_t>(v);
        buf_.at(at + 1) = static_cast<uint8_t>(v >> 8);
    }
}

void NdrWriter::Patch32(size_t at, uint32_t v) {
    if (bigEndian_) {
        Patch16(at, static_cast<uint16_t>(v >> 16));
        Patch16(at + 2, static_cast<uint16_t>(v));
    } else {
        Patch16(at, static_cast<uint16_t>(v));
        Patch16(at + 2, static_cast<uint16_t>(v >> 16));
    }
}

uint32_t StatusFromFault(uint32_t nca) {
    switch (nca) {
    case NcaStatus::OpRangeError:
        return RpcStatus::ProcNumOutOfRange;
    case NcaStatus::UnknownInterface:
        return RpcStatus::UnknownInterface;
    case NcaStatus::ContextMismatch:
        return RpcStatus::InvalidHandle;
    case NcaStatus::ProtoError:
        return RpcStatus::ProtocolError;
    default:
        // Whatever else the server raised is its own word on the call: turning
        // it into 1726 would make the call look as if it never reached the
        // server, and the retry proxy would send it again.
        return nca;
    }
}

} // namespace dcerpc
