#pragma once
// The administration session every dialog works in: the server the program
// talks to, the session handle OpenSession returned, and the system
// information read at log-in (with the fields the client fills in itself).
// There is one per process; dialogs take it by reference so that tests can
// hand them a session over an in-process server.
#include "server/Records.h"
#include "server/VoiceMailServer.h"

#include <string>

namespace zax {

struct Session {
    zax::VoiceMailServer* server = nullptr;
    zax::SessionHandle handle;
    zax::SystemInfo systemInfo{};
    std::string serverName; // exactly as typed in the log-in dialog
    std::string password;   // as typed
    std::string address;    // the dotted address connected to

    zax::VoiceMailServer& Server() { return *server; }
};

// The process-wide session.
Session& CurrentSession();

// Whether a typed administration password is the one the server holds
// (GetSystemInfo's): byte by byte up to the terminator, letter case counting.
// The field holds at most 30 characters, so a longer typed one never matches.
bool PasswordMatches(const std::string& typed, const SystemInfo& info);

} // namespace zax
