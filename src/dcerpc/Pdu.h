#pragma once
// Connection-oriented PDUs: the common header, the PDU bodies this runtime
// uses, and fragment framing. Encoders produce complete fragments; the
// decoders check every length against the bytes that arrived.

#include "dcerpc/Ndr.h"
#include "dcerpc/Uuid.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dcerpc {

enum class PType : uint8_t {
    Request = 0,
    Response = 2,
    Fault = 3,
    Bind = 11,
    BindAck = 12,
    BindNak = 13,
    AlterContext = 14,
    AlterContextResp = 15,
    Shutdown = 17,
    CoCancel = 18,
    Orphaned = 19,
};

inline constexpr uint8_t PfcFirstFrag = 0x01;
inline constexpr uint8_t PfcLastFrag = 0x02;
// On a fault: the server did not run the procedure, so the call may be sent again.
inline constexpr uint8_t PfcDidNotExecute = 0x20;
inline constexpr size_t HeaderSize = 16;
inline constexpr size_t RequestHeaderSize = 24; // common header + alloc_hint, p_cont_id, opnum
inline constexpr uint16_t DefaultMaxFrag = 5840;
// The smallest fragment this runtime uses. The standard floor is 1432, but a
// smaller one is accepted so that fragmentation can be exercised on tiny calls.
inline constexpr uint16_t MinMaxFrag = 64;

struct PduHeader {
    PType ptype = PType::Request;
    uint8_t flags = 0;
    bool bigEndian = false;
    uint16_t fragLength = 0;
    uint16_t authLength = 0;
    uint32_t callId = 0;
};

// Decodes and validates the 16-byte common header.
PduHeader DecodeHeader(std::span<const uint8_t> bytes);

struct ContextElement {
    uint16_t contextId = 0;
    SyntaxId abstract;
    std::vector<SyntaxId> transfer;
};

struct BindBody {
    uint16_t maxXmitFrag = DefaultMaxFrag;
    uint16_t maxRecvFrag = DefaultMaxFrag;
    uint32_t assocGroup = 0;
    std::vector<ContextElement> contexts;
};

struct ContextResult {
    uint16_t result = 0; // 0 acceptance, 2 provider rejection
    uint16_t reason = 0;
    SyntaxId transfer;
};

struct BindAckBody {
    uint16_t maxXmitFrag = DefaultMaxFrag;
    uint16_t maxRecvFrag = DefaultMaxFrag;
    uint32_t assocGroup = 0;
    std::string secondaryAddress;
    std::vector<ContextResult> results;
};

// Writes the common header with a zero frag_length; FinishPdu patches it.
void BeginPdu(NdrWriter& w, PType type, uint8_t flags, uint32_t callId);
std::vector<uint8_t> FinishPdu(NdrWriter& w);

std::vector<uint8_t> EncodeBind(PType type, uint32_t callId, const BindBody& body,
                                bool bigEndian = false);
std::vector<uint8_t> EncodeBindAck(PType type, uint32_t callId, const BindAckBody& body,
                                   bool bigEndian);
std::vector<uint8_t> EncodeBindNak(uint32_t callId, uint16_t reason, bool bigEndian);
// A fault answer to a call: its nca status and whether the procedure was
// never run. A server dispatcher throws it to answer with a fault PDU.
struct RpcFault {
    uint32_t status = 0;
    bool didNotExecute = false;
};

std::vector<uint8_t> EncodeFault(uint32_t callId, uint16_t contextId, const RpcFault& fault,
                                 bool bigEndian);

// Splits a stub into request or response fragments of at most maxFrag bytes each.
std::vector<std::vector<uint8_t>> EncodeRequest(uint32_t callId, uint16_t contextId, uint16_t opnum,
                                                std::span<const uint8_t> stub, uint16_t maxFrag);
std::vector<std::vector<uint8_t>> EncodeResponse(uint32_t callId, uint16_t contextId,
                                                 std::span<const uint8_t> stub, uint16_t maxFrag,
                                                 bool bigEndian);

BindBody DecodeBind(const PduHeader& h, std::span<const uint8_t> pdu);
BindAckBody DecodeBindAck(const PduHeader& h, std::span<const uint8_t> pdu);

// Request, response and fault fragments: the fixed fields after the header
// and the stub bytes the fragment carries.
struct CallFragment {
    uint32_t allocHint = 0;
    uint16_t contextId = 0;
    uint16_t opnum = 0;  // requests
    uint32_t status = 0; // faults
    std::span<const uint8_t> stub;
};
CallFragment DecodeCallFragment(const PduHeader& h, std::span<const uint8_t> pdu);

void EncodeSyntax(NdrWriter& w, const SyntaxId& s);
SyntaxId DecodeSyntax(NdrReader& r);

} // namespace dcerpc
