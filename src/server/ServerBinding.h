#pragma once
// The binding to the voice-mail server, made from a string binding such as
// "ncacn_ip_tcp:192.168.1.20[]". With empty brackets the endpoint is resolved
// through the server's endpoint mapper when the first call connects.

#include "server/Marshal.h"

#include <memory>
#include <string>

namespace zax {

class ServerBinding : public RpcChannel {
public:
    // Parses the string binding; returns nullptr (and a non-zero status in
    // `status`) when it is not a valid ncacn_ip_tcp binding.
    static std::unique_ptr<ServerBinding> FromString(const std::string& binding, uint32_t& status);

    dcerpc::CallReply Call(uint16_t opnum, std::span<const uint8_t> stub) override;
    void SetMaxFrag(uint16_t maxFrag) { association_.SetMaxFrag(maxFrag); }
    const std::string& address() const { return address_; }
    void Disconnect() { association_.Disconnect(); }

private:
    ServerBinding(std::string address, uint16_t fixedPort);
    std::string address_;
    dcerpc::ClientAssociation association_;
};

} // namespace zax
