#pragma once
// The one way a dialog makes a server call: the status is turned into the
// message the administrator sees, and a transport failure ends the program.

#include <cstdint>
#include <functional>
#include <span>

namespace ui {

// A status the call site recognises and the string shown for it; message 0
// means the status is expected and shows nothing (for example "no more
// entries" ending a list).
struct StatusMessage {
    std::uint16_t status;
    int messageId;
};

enum class CallOutcome {
    Success,          // status 0
    Recognised,       // a status of the call site's table; its message was shown
    ServerError,      // any other status; "Server Error, rc = N" was shown
    TransportFailure, // "Network Error - terminating ZAX Manager"; the program is ending
};

struct CallResult {
    CallOutcome outcome;
    std::uint16_t status;
    bool Succeeded() const { return outcome == CallOutcome::Success; }
};

// Runs call. On a transport failure (dcerpc::RpcError) it shows the network
// error and calls the endProgram hook with exit code 1; the window placement
// is not saved on this path. Never throws an RpcError itself.
CallResult GuardServerCall(const std::function<std::uint16_t()>& call,
                           std::span<const StatusMessage> recognised = {});

} // namespace ui
