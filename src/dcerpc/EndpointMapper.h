#pragma once
// The endpoint mapper (ept_map over TCP): the client resolves an
// interface's TCP port through it; the server side answers for the
// interfaces registered with it.

#include "dcerpc/ClientAssociation.h"
#include "dcerpc/RpcServer.h"
#include "dcerpc/Uuid.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dcerpc {

SyntaxId EndpointMapperSyntax();
inline constexpr uint16_t EptMapOpnum = 3;
inline constexpr uint32_t EptNotRegistered = 0x16c9a0d6;
inline constexpr uint16_t DefaultEpmPort = 135;

// The port of the endpoint mapper: 135, or ZAXMGR_EPM_PORT when it is set.
uint16_t EndpointMapperPort();

// Builds the 5-floor TCP/IP tower for an interface at a port and IPv4 address.
std::vector<uint8_t> BuildTcpTower(const SyntaxId& iface, uint16_t port, uint32_t ipv4HostOrder);

struct ParsedTower {
    SyntaxId iface;
    bool ncacn = false;
    std::optional<uint16_t> port;
    std::optional<uint32_t> ipv4;
};
// Parses a tower's octets; throws RpcError (protocol error) when it is malformed.
ParsedTower ParseTower(std::span<const uint8_t> octets);

// Asks the endpoint mapper at address:epmPort for the interface's TCP port.
// Throws RpcError 1722 when the mapper cannot be reached, does not answer in
// time or does not know the interface.
uint16_t EptMap(const std::string& address, uint16_t epmPort, const SyntaxId& iface,
                const CallTimeouts& timeouts = DefaultCallTimeouts());

// The mapper's server side.
class EndpointMapperService : public ServerInterface {
public:
    void Register(const SyntaxId& iface, uint16_t port, uint32_t ipv4HostOrder);
    SyntaxId Syntax() const override { return EndpointMapperSyntax(); }
    void Dispatch(const CallContext& ctx, uint16_t opnum, NdrReader& in, NdrWriter& out) override;

private:
    struct Entry {
        SyntaxId iface;
        uint16_t port;
        uint32_t ipv4;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
};

} // namespace dcerpc
