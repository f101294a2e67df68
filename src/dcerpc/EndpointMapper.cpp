#include "dcerpc/EndpointMapper.h"

#include "dcerpc/ClientAssociation.h"
#include "dcerpc/ContextHandle.h"
#include "dcerpc/RpcError.h"

#include <arpa/inet.h>
#include <cstdlib>

namespace dcerpc {

namespace {
constexpr uint8_t kProtUuid = 0x0D;
constexpr uint8_t kProtNcacn = 0x0B;
constexpr uint8_t kProtTcp = 0x07;
constexpr uint8_t kProtIp = 0x09;
constexpr uint32_t kMaxTowers = 4;
constexpr uint32_t kMaxTowerBytes = 1024;

// Towers are octet strings: their integers are little-endian whatever the PDU says.
void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

void PutUuidFloor(std::vector<uint8_t>& v, const SyntaxId& s) {
    Put16(v, 19);
    v.push_back(kProtUuid);
    NdrWriter w;
    w.PutRaw32(s.uuid.timeLow);
    w.PutRaw16(s.uuid.timeMid);
    w.PutRaw16(s.uuid.timeHiAndVersion);
    w.Bytes(s.uuid.rest.data(), 8);
    v.insert(v.end(), w.bytes().begin(), w.bytes().end());
    Put16(v, s.major);
    Put16(v, 2);
    Put16(v, s.minor);
}

void PutFloor(std::vector<uint8_t>& v, uint8_t protocol, std::span<const uint8_t> rhs) {
    Put16(v, 1);
    v.push_back(protocol);
    Put16(v, static_cast<uint16_t>(rhs.size()));
    v.insert(v.end(), rhs.begin(), rhs.end());
}

void WriteTower(NdrWriter& w, const std::vector<uint8_t>& tower) {
    w.U32(static_cast<uint32_t>(tower.size())); // conformance of twr_t
    w.U32(static_cast<uint32_t>(tower.size())); // tower_length
    w.Bytes(tower.data(), tower.size());
}

std::vector<uint8_t> ReadTower(NdrReader& r) {
    uint32_t max = r.U32();
    uint32_t len = r.U32();
    if (len != max)
        throw ProtocolError("tower length differs from its conformance");
    r.CheckedCount(len, kMaxTowerBytes, 1);
    std::vector<uint8_t> t(len);
    r.Bytes(t.data(), len);
    return t;
}
} // namespace

SyntaxId EndpointMapperSyntax() {
    return {Uuid::Parse("e1af8308-5d1f-11c9-91a4-08002b14a0fa"), 3, 0};
}

uint16_t EndpointMapperPort() {
    const char* env = std::getenv("ZAXMGR_EPM_PORT");
    if (env && *env) {
        char* end = nullptr;
        long v = std::strtol(env, &end, 10);
        if (*end == '\0' && v > 0 && v < 65536)
            return static_cast<uint16_t>(v);
    }
    return DefaultEpmPort;
}

std::vector<uint8_t> BuildTcpTower(const SyntaxId& iface, uint16_t port, uint32_t ipv4) {
    std::vector<uint8_t> v;
    Put16(v, 5);
    PutUuidFloor(v, iface);
    PutUuidFloor(v, NdrSyntax());
    const uint8_t zero[2] = {0, 0};
    PutFloor(v, kProtNcacn, zero);
    const uint8_t portBytes[2] = {static_cast<uint8_t>(port >> 8), static_cast<uint8_t>(port)};
    PutFloor(v, kProtTcp, portBytes);
    const uint8_t ip[4] = {static_cast<uint8_t>(ipv4 >> 24), static_cast<uint8_t>(ipv4 >> 16),
                           static_cast<uint8_t>(ipv4 >> 8), static_cast<uint8_t>(ipv4)};
    PutFloor(v, kProtIp, ip);
    return v;
}

ParsedTower ParseTower(std::span<const uint8_t> octets) {
    NdrReader r(octets, false);
    ParsedTower t;
    uint16_t floors = r.Raw16();
    for (uint16_t i = 0; i < floors; ++i) {
        uint16_t lhsLen = r.Raw16();
        if (lhsLen == 0)
            throw ProtocolError("empty tower floor");
        std::vector<uint8_t> lhs(lhsLen);
        r.Bytes(lhs.data(), lhsLen);
        uint16_t rhsLen = r.Raw16();
        std::vector<uint8_t> rhs(rhsLen);
        r.Bytes(rhs.data(), rhsLen);
        switch (lhs[0]) {
        case kProtUuid:
            if (i == 0) {
                if (lhsLen != 19 || rhsLen != 2)
                    throw ProtocolError("bad interface floor");
                NdrReader u(std::span<const uint8_t>(lhs).subspan(1), false);
                t.iface.uuid.timeLow = u.Raw32();
                t.iface.uuid.timeMid = u.Raw16();
                t.iface.uuid.timeHiAndVersion = u.Raw16();
                u.Bytes(t.iface.uuid.rest.data(), 8);
                t.iface.major = u.Raw16();
                t.iface.minor = static_cast<uint16_t>(rhs[0] | (rhs[1] << 8));
            }
            break;
        case kProtNcacn:
            t.ncacn = true;
            break;
        case kProtTcp:
            if (rhsLen != 2)
                throw ProtocolError("bad TCP floor");
            t.port = static_cast<uint16_t>((rhs[0] << 8) | rhs[1]);
            break;
        case kProtIp:
            if (rhsLen != 4)
                throw ProtocolError("bad IP floor");
            t.ipv4 = (uint32_t{rhs[0]} << 24) | (uint32_t{rhs[1]} << 16) | (uint32_t{rhs[2]} << 8) |
                     rhs[3];
            break;
        default:
            break;
        }
    }
    return t;
}

uint16_t EptMap(const std::string& address, uint16_t epmPort, const SyntaxId& iface,
                const CallTimeouts& timeouts) {
    ClientAssociation epm(address, EndpointMapperSyntax(), [epmPort] { return epmPort; });
    epm.SetTimeouts(timeouts);
    NdrWriter w;
    w.U32(1); // object: a nil UUID
    w.Guid(Uuid{});
    w.U32(2); // map_tower
    WriteTower(w, BuildTcpTower(iface, 0, 0));
    w.Align(4);
    WriteContextHandle(w, ContextHandle{});
    w.U32(kMaxTowers);

    CallReply reply;
    try {
        reply = epm.Call(EptMapOpnum, w.bytes());
    } catch (const RpcError& e) {
        throw RpcError(RpcStatus::ServerUnavailable,
                       std::string("endpoint mapper unavailable: ") + e.what());
    }
    try {
        NdrReader r(reply.stub, reply.bigEndian);
        ReadContextHandle(r);
        uint32_t numTowers = r.U32();
        uint32_t max = r.U32();
        uint32_t offset = r.U32();
        uint32_t actual = r.U32();
        if (max > kMaxTowers || offset != 0 || actual > max || actual != numTowers)
            throw ProtocolError("bad tower array");
        std::vector<uint32_t> referents(actual);
        for (auto& ref : referents)
            ref = r.U32();
        std::optional<uint16_t> port;
        for (uint32_t ref : referents) {
            if (ref == 0)
                continue;
            ParsedTower t = ParseTower(ReadTower(r));
            if (!port && t.iface == iface && t.port)
                port = t.port;
        }
        r.Align(4);
        uint32_t status = r.U32();
        if (status != 0 || !port)
            throw RpcError(RpcStatus::ServerUnavailable,
                           "interface not registered with the endpoint mapper");
        return *port;
    } catch (const RpcError& e) {
        if (e.status() == RpcStatus::ServerUnavailable)
            throw;
        throw RpcError(RpcStatus::ServerUnavailable, std::string("endpoint mapper: ") + e.what());
    }
}

void EndpointMapperService::Register(const SyntaxId& iface, uint16_t port, uint32_t ipv4) {
    std::lock_guard lock(mutex_);
    entries_.push_back({iface, port, ipv4});
}

void EndpointMapperService::Dispatch(const CallContext&, uint16_t opnum, NdrReader& in,
                                     NdrWriter& out) {
    if (opnum != EptMapOpnum)
        throw RpcFault{NcaStatus::OpRangeError, true};
    std::optional<ParsedTower> wanted;
    uint32_t maxTowers = 0;
    try {
        if (in.U32() != 0) // object UUID, not used for the lookup
            in.Guid();
        if (in.U32() != 0)
            wanted = ParseTower(ReadTower(in));
        in.Align(4);
        ReadContextHandle(in);
        maxTowers = in.U32();
    } catch (const RpcError&) {
        throw RpcFault{NcaStatus::ProtoError, true};
    }

    std::vector<std::vector<uint8_t>> towers;
    if (wanted) {
        std::lock_guard lock(mutex_);
        for (const auto& e : entries_)
            if (e.iface.uuid == wanted->iface.uuid && e.iface.major == wanted->iface.major &&
                towers.size() < maxTowers)
                towers.push_back(BuildTcpTower(e.iface, e.port, e.ipv4));
    }
    WriteContextHandle(out, ContextHandle{});
    out.U32(static_cast<uint32_t>(towers.size()));
    out.U32(maxTowers);
    out.U32(0);
    out.U32(static_cast<uint32_t>(towers.size()));
    for (size_t i = 0; i < towers.size(); ++i)
        out.U32(static_cast<uint32_t>(3 + i));
    for (const auto& t : towers) {
        WriteTower(out, t);
        out.Align(4);
    }
    out.Align(4);
    out.U32(towers.empty() ? EptNotRegistered : 0);
}

} // namespace dcerpc
