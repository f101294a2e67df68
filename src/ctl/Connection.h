#pragma once
// One administration session on one server, for a program without windows:
// connect, read the system information, check the password as the log-in
// dialog does, open the session; closed again when the object goes.

#include "server/Records.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace ctl {

// Why a server could not be used; what() is the sentence to show.
class ConnectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "host" (the endpoint comes from the server's endpoint mapper) or
// "host:port" (the server's own port, no endpoint mapper).
struct ServerTarget {
    std::string text; // as given
    std::string host;
    uint16_t port = 0;
};
ServerTarget ParseServerTarget(const std::string& text); // throws ConnectError

class ServerConnection {
public:
    ServerConnection(const ServerTarget& target, const std::string& password);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    zax::VoiceMailServer& Server() { return *server_; }
    const zax::SystemInfo& Info() const { return info_; }

private:
    std::unique_ptr<zax::ServerBinding> binding_;
    std::unique_ptr<zax::RpcVoiceMailServer> server_;
    zax::SystemInfo info_{};
    zax::SessionHandle handle_{};
};

} // namespace ctl
