#include "ctl/Connection.h"

#include "core/HostName.h"
#include "dcerpc/RpcError.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"

#include <charconv>

namespace ctl {

ServerTarget ParseServerTarget(const std::string& text) {
    ServerTarget target{text, text, 0};
    if (const size_t colon = text.rfind(':'); colon != std::string::npos) {
        target.host = text.substr(0, colon);
        const std::string port = text.substr(colon + 1);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (port.empty() || error != std::errc() || end != port.data() + port.size() ||
            value == 0 || value > 65535)
            throw ConnectError("\"" + text + "\": the port must be a number from 1 to 65535");
        target.port = static_cast<uint16_t>(value);
    }
    if (target.host.empty() || target.host.find_first_of("[] \t") != std::string::npos)
        throw ConnectError("\"" + text + "\" is not a server name or address");
    return target;
}

ServerConnection::ServerConnection(const ServerTarget& target, const std::string& password) {
    const std::string endpoint = target.port ? std::to_string(target.port) : "";
    // A name is looked up as the log-in dialog looks it up; the binding
    // takes the dotted address.
    const core::ResolvedServer resolved = core::ResolveServerAddress(target.host);
    if (resolved.code != core::FieldValid)
        throw ConnectError("\"" + target.host +
                           "\" is not a server name or address that can be found");
    uint32_t status = 0;
    binding_ = zax::ServerBinding::FromString(
        "ncacn_ip_tcp:" + resolved.address + "[" + endpoint + "]", status);
    if (!binding_)
        throw ConnectError("\"" + target.text + "\" is not a server name or address");
    server_ = std::make_unique<zax::RpcVoiceMailServer>(*binding_);
    // Before the session is open a broken connection only means the server
    // could not be reached.
    const auto reach = [](auto&& call) {
        try {
            return call();
        } catch (const dcerpc::RpcError& e) {
            throw ConnectError("Error communicating with the server (" + std::string(e.what()) +
                               ")");
        }
    };
    const zax::ServerStatus infoStatus = reach([&] { return server_->GetSystemInfo(info_); });
    if (infoStatus == zax::StatusNotInitialized)
        throw ConnectError("The voice-mail server is not initialized");
    if (infoStatus == zax::StatusSessionActive)
        throw ConnectError("Another administration session is open on the server");
    if (infoStatus != 0 || info_.CompatibilityLevel != zax::RequiredCompatibilityLevel)
        throw ConnectError("The server's version does not match this program's");
    if (!zax::PasswordMatches(password, info_))
        throw ConnectError("Invalid password");
    const zax::ServerStatus open = reach([&] { return server_->OpenSession(handle_); });
    if (open == zax::StatusSessionActive)
        throw ConnectError("Another administration session is open on the server");
    if (open != 0)
        throw ConnectError("The server refused the session: status " + std::to_string(open));
}

ServerConnection::~ServerConnection() {
    if (handle_.IsNull())
        return;
    try {
        (void)server_->CloseSession(handle_);
    } catch (
        ...) { // NOLINT(bugprone-empty-catch): the connection is gone; nothing is left to close
    }
}

} // namespace ctl
