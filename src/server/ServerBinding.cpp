#include "server/ServerBinding.h"

#include "dcerpc/EndpointMapper.h"
#include "server/VoiceMailServer.h"

#include <arpa/inet.h>
#include <charconv>

namespace zax {

dcerpc::SyntaxId ZaxInterfaceSyntax() {
    return {dcerpc::Uuid::Parse("00000000-ae90-1970-afc5-02608cac9709"), 40300, 0};
}

std::unique_ptr<ServerBinding> ServerBinding::FromString(const std::string& binding,
                                                         uint32_t& status) {
    static const std::string prefix = "ncacn_ip_tcp:";
    status = dcerpc::RpcStatus::InvalidBinding;
    if (binding.compare(0, prefix.size(), prefix) != 0)
        return nullptr;
    size_t open = binding.find('[', prefix.size());
    if (open == std::string::npos || binding.back() != ']')
        return nullptr;
    std::string address = binding.substr(prefix.size(), open - prefix.size());
    in_addr probe{};
    if (inet_pton(AF_INET, address.c_str(), &probe) != 1)
        return nullptr;
    std::string endpoint = binding.substr(open + 1, binding.size() - open - 2);
    uint16_t port = 0;
    if (!endpoint.empty()) {
        auto [end, ec] = std::from_chars(endpoint.data(), endpoint.data() + endpoint.size(), port);
        if (ec != std::errc() || end != endpoint.data() + endpoint.size() || port == 0)
            return nullptr;
    }
    status = 0;
    return std::unique_ptr<ServerBinding>(new ServerBinding(address, port));
}

ServerBinding::ServerBinding(std::string address, uint16_t fixedPort)
    : address_(address),
      association_(address, ZaxInterfaceSyntax(), [this, fixedPort]() -> uint16_t {
          if (fixedPort)
              return fixedPort;
          return dcerpc::EptMap(address_, dcerpc::EndpointMapperPort(), ZaxInterfaceSyntax(),
                                association_.timeouts());
      }) {}

dcerpc::CallReply ServerBinding::Call(uint16_t opnum, std::span<const uint8_t> stub) {
    return association_.Call(opnum, stub);
}

} // namespace zax
