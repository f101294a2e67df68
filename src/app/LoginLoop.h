#pragma once
// The log-in loop and the administration session's opening and closing.
#include "core/ConfigFile.h"
#include "core/HostName.h"
#include "server/Session.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace app {

// A connection to a server: what the program's calls go through.
class ServerLink {
public:
    virtual ~ServerLink() = default;
    virtual zax::VoiceMailServer& Server() = 0;
};

// Makes the binding for a dotted address; null with a non-zero status when
// the binding cannot be made.
using ServerConnector =
    std::function<std::unique_ptr<ServerLink>(const std::string& address, uint32_t& status)>;

// The real connection: "ncacn_ip_tcp:ADDRESS[]", the port found through the
// server's endpoint mapper on the first call.
std::unique_ptr<ServerLink> ConnectOverRpc(const std::string& address, uint32_t& status);


// Shows the log-in dialog until a server accepts the password or the
// administrator cancels. On success the session holds the link's server,
// the system information and what was typed, and the link is returned; on
// cancel null is returned.
std::unique_ptr<ServerLink> RunLoginLoop(zax::Session& session, const core::ConfigFile& config,
                                         const ServerConnector& connector,
                                         const core::HostLookup& lookup, QWidget* parent = nullptr);

// Opens the administration session; shows the failure's message and
// returns false when it cannot be opened.
bool OpenAdministrationSession(zax::Session& session);

// Closes the session; every failure, a transport failure included, is
// ignored: the program is ending anyway. Without an open session (no
// handle) no call is made.
void CloseAdministrationSession(zax::Session& session) noexcept;

} // namespace app
