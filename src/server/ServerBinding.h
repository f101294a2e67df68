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
    // The association's port resolver refers back to this object.
    ServerBinding(const ServerBinding&) = delete;
    ServerBinding& operator=(const ServerBinding&) = delete;

    dcerpc::CallReply Call(uint16_t opnum, std::span<const uint8_t> stub) override;
    void SetMaxFrag(uint16_t maxFrag) { association_.SetMaxFrag(maxFrag); }
    // Time limits of every call, the endpoint mapper's included; they start
    // as dcerpc::DefaultCallTimeouts().
    void SetTimeouts(const dcerpc::CallTimeouts& t) { association_.SetTimeouts(t); }
    const std::string& address() const { return address_; }
    void Disconnect() { association_.Disconnect(); }

private:
    ServerBinding(std::string address, uint16_t fixedPort);
    std::string address_;
    dcerpc::ClientAssociation association_;
};

} // namespace zax
