#include "dcerpc/Pdu.h"

#include <algorithm>

namespace dcerpc {

namespace {
constexpr uint8_t kDrepLittle[4] = {0x10, 0x00, 0x00, 0x00};
constexpr uint8_t kDrepBig[4] = {0x00, 0x00, 0x00, 0x00};

NdrReader BodyReader(const PduHeader& h, std::span<const uint8_t> pdu) {
    // Alignment inside the body counts from the PDU start, so the reader
    // covers the whole PDU and skips the header.
    NdrReader r(pdu.first(h.fragLength), h.bigEndian);
    r.Skip(HeaderSize);
    return r;
}

uint16_t StubChunk(uint16_t maxFrag) {
    if (maxFrag < MinMaxFrag)
        maxFrag = MinMaxFrag;
    return static_cast<uint16_t>((maxFrag - RequestHeaderSize) & ~7u);
}
} // namespace

PduHeader DecodeHeader(std::span<const uint8_t> b) {
    if (b.size() < HeaderSize)
        throw ProtocolError("PDU shorter than its header");
    if (b[0] != 5 || b[1] != 0)
        throw ProtocolError("unsupported RPC version " + std::to_string(b[0]) + "." +
                            std::to_string(b[1]));
    PduHeader h;
    h.ptype = static_cast<PType>(b[2]);
    h.flags = b[3];
    // Only the integer representation matters here: characters and floats
    // never travel in this interface.
    h.bigEndian = (b[4] & 0xF0) == 0x00;
    NdrReader r(b.first(HeaderSize), h.bigEndian);
    r.Skip(8);
    h.fragLength = r.Raw16();
    h.authLength = r.Raw16();
    h.callId = r.Raw32();
    if (h.fragLength < HeaderSize)
        throw ProtocolError("fragment length " + std::to_string(h.fragLength) +
                            " shorter than the header");
    if (h.authLength != 0)
        throw ProtocolError("authenticated PDUs are not supported");
    return h;
}

void BeginPdu(NdrWriter& w, PType type, uint8_t flags, uint32_t callId) {
    w.U8(5);
    w.U8(0);
    w.U8(static_cast<uint8_t>(type));
    w.U8(flags);
    w.Bytes(w.bigEndian() ? kDrepBig : kDrepLittle, 4);
    w.PutRaw16(0); // frag_length, patched by FinishPdu
    w.PutRaw16(0); // auth_length
    w.PutRaw32(callId);
}

std::vector<uint8_t> FinishPdu(NdrWriter& w) {
    w.Patch16(8, static_cast<uint16_t>(w.size()));
    return w.take();
}

void EncodeSyntax(NdrWriter& w, const SyntaxId& s) {
    w.PutRaw32(s.uuid.timeLow);
    w.PutRaw16(s.uuid.timeMid);
    w.PutRaw16(s.uuid.timeHiAndVersion);
    w.Bytes(s.uuid.rest.data(), 8);
    w.PutRaw32(static_cast<uint32_t>(s.major) | (static_cast<uint32_t>(s.minor) << 16));
}

SyntaxId DecodeSyntax(NdrReader& r) {
    SyntaxId s;
    s.uuid.timeLow = r.Raw32();
    s.uuid.timeMid = r.Raw16();
    s.uuid.timeHiAndVersion = r.Raw16();
    r.Bytes(s.uuid.rest.data(), 8);
    uint32_t version = r.Raw32();
    s.major = static_cast<uint16_t>(version);
    s.minor = static_cast<uint16_t>(version >> 16);
    return s;
}

std::vector<uint8_t> EncodeBind(PType type, uint32_t callId, const BindBody& body, bool bigEndian) {
    NdrWriter w(bigEndian);
    BeginPdu(w, type, PfcFirstFrag | PfcLastFrag, callId);
    w.PutRaw16(body.maxXmitFrag);
    w.PutRaw16(body.maxRecvFrag);
    w.PutRaw32(body.assocGroup);
    w.U8(static_cast<uint8_t>(body.contexts.size()));
    w.Zeros(3);
    for (const auto& c : body.contexts) {
        w.PutRaw16(c.contextId);
        w.U8(static_cast<uint8_t>(c.transfer.size()));
        w.U8(0);
        EncodeSyntax(w, c.abstract);
        for (const auto& t : c.transfer)
            EncodeSyntax(w, t);
    }
    return FinishPdu(w);
}

BindBody DecodeBind(const PduHeader& h, std::span<const uint8_t> pdu) {
    NdrReader r = BodyReader(h, pdu);
    BindBody b;
    b.maxXmitFrag = r.Raw16();
    b.maxRecvFrag = r.Raw16();
    b.assocGroup = r.Raw32();
    uint8_t n = r.U8();
    r.Skip(3);
    for (uint8_t i = 0; i < n; ++i) {
        ContextElement c;
        c.contextId = r.Raw16();
        uint8_t nt = r.U8();
        r.Skip(1);
        c.abstract = DecodeSyntax(r);
        for (uint8_t t = 0; t < nt; ++t)
            c.transfer.push_back(DecodeSyntax(r));
        b.contexts.push_back(std::move(c));
    }
    return b;
}

std::vector<uint8_t> EncodeBindAck(PType type, uint32_t callId, const BindAckBody& body,
                                   bool bigEndian) {
    NdrWriter w(bigEndian);
    BeginPdu(w, type, PfcFirstFrag | PfcLastFrag, callId);
    w.PutRaw16(body.maxXmitFrag);
    w.PutRaw16(body.maxRecvFrag);
    w.PutRaw32(body.assocGroup);
    if (body.secondaryAddress.empty()) {
        w.PutRaw16(0);
    } else {
        w.PutRaw16(static_cast<uint16_t>(body.secondaryAddress.size() + 1));
        w.Bytes(body.secondaryAddress.data(), body.secondaryAddress.size());
        w.U8(0);
    }
    w.Align(4);
    w.U8(static_cast<uint8_t>(body.results.size()));
    w.Zeros(3);
    for (const auto& res : body.results) {
        w.PutRaw16(res.result);
        w.PutRaw16(res.reason);
        EncodeSyntax(w, res.transfer);
    }
    return FinishPdu(w);
}

BindAckBody DecodeBindAck(const PduHeader& h, std::span<const uint8_t> pdu) {
    NdrReader r = BodyReader(h, pdu);
    BindAckBody b;
    b.maxXmitFrag = r.Raw16();
    b.maxRecvFrag = r.Raw16();
    b.assocGroup = r.Raw32();
    uint16_t addrLen = r.Raw16();
    if (addrLen) {
        std::string addr(addrLen, '\0');
        r.Bytes(addr.data(), addrLen);
        addr.resize(std::min<size_t>(addr.find('\0'), addr.size()));
        b.secondaryAddress = std::move(addr);
    }
    r.Align(4);
    uint8_t n = r.U8();
    r.Skip(3);
    for (uint8_t i = 0; i < n; ++i) {
        ContextResult res;
        res.result = r.Raw16();
        res.reason = r.Raw16();
        res.transfer = DecodeSyntax(r);
        b.results.push_back(res);
    }
    return b;
}

std::vector<uint8_t> EncodeBindNak(uint32_t callId, uint16_t reason, bool bigEndian) {
    NdrWriter w(bigEndian);
    BeginPdu(w, PType::BindNak, PfcFirstFrag | PfcLastFrag, callId);
    w.PutRaw16(reason);
    w.U8(1); // one supported protocol version: 5.0
    w.U8(5);
    w.U8(0);
    return FinishPdu(w);
}

std::vector<uint8_t> EncodeFault(uint32_t callId, uint16_t contextId, const RpcFault& fault,
                                 bool bigEndian) {
    NdrWriter w(bigEndian);
    const uint8_t dne = fault.didNotExecute ? PfcDidNotExecute : 0;
    BeginPdu(w, PType::Fault, PfcFirstFrag | PfcLastFrag | dne, callId);
    w.PutRaw32(0); // alloc_hint
    w.PutRaw16(contextId);
    w.U8(0); // cancel_count
    w.U8(0);
    w.PutRaw32(fault.status);
    w.PutRaw32(0);
    return FinishPdu(w);
}

namespace {
std::vector<std::vector<uint8_t>> Fragment(PType type, uint32_t callId, uint16_t contextId,
                                           uint16_t opnum, std::span<const uint8_t> stub,
                                           uint16_t maxFrag, bool bigEndian) {
    const size_t chunk = StubChunk(maxFrag);
    std::vector<std::vector<uint8_t>> frags;
    size_t off = 0;
    do {
        size_t n = std::min(chunk, stub.size() - off);
        uint8_t flags = 0;
        if (off == 0)
            flags |= PfcFirstFrag;
        if (off + n == stub.size())
            flags |= PfcLastFrag;
        NdrWriter w(bigEndian);
        BeginPdu(w, type, flags, callId);
        w.PutRaw32(static_cast<uint32_t>(stub.size() - off)); // alloc_hint: what remains
        w.PutRaw16(contextId);
        if (type == PType::Request) {
            w.PutRaw16(opnum);
        } else {
            w.U8(0);
            w.U8(0);
        }
        w.Bytes(stub.data() + off, n);
        frags.push_back(FinishPdu(w));
        off += n;
    } while (off < stub.size());
    return frags;
}
} // namespace

std::vector<std::vector<uint8_t>> EncodeRequest(uint32_t callId, uint16_t contextId, uint16_t opnum,
                                                std::span<const uint8_t> stub, uint16_t maxFrag) {
    return Fragment(PType::Request, callId, contextId, opnum, stub, maxFrag, false);
}

std::vector<std::vector<uint8_t>> EncodeResponse(uint32_t callId, uint16_t contextId,
                                                 std::span<const uint8_t> stub, uint16_t maxFrag,
                                                 bool bigEndian) {
    return Fragment(PType::Response, callId, contextId, 0, stub, maxFrag, bigEndian);
}

CallFragment DecodeCallFragment(const PduHeader& h, std::span<const uint8_t> pdu) {
    NdrReader r = BodyReader(h, pdu);
    CallFragment f;
    f.allocHint = r.Raw32();
    f.contextId = r.Raw16();
    if (h.ptype == PType::Request) {
        f.opnum = r.Raw16();
        if (h.flags & 0x80) // object UUID present
            r.Skip(16);
    } else {
        r.Skip(2); // cancel_count, reserved
    }
    if (h.ptype == PType::Fault) {
        f.status = r.Raw32();
        return f;
    }
    f.stub = pdu.subspan(r.position(), h.fragLength - r.position());
    return f;
}

} // namespace dcerpc
