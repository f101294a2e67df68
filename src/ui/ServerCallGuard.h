#pragma once
// The one way a dialog makes a server call: the status is turned into the
// message the administrator sees, and a transport failure ends the program.
//
// The call's own result type decides how an unknown status is shown:
// procedures with a 16-bit status show "Server Error, rc = N"; those with a
// 32-bit status (the voice procedures and everything through the retry
// proxy) show the unexpected-error text with the code in signed decimal.
// A lambda returning any other type does not compile, so a 32-bit status is
// never cut to 16 bits on its way here.

#include <cstdint>
#include <functional>
#include <span>
#include <type_traits>

namespace ui {

// A status the call site recognises and the string shown for it; message 0
// means the status is expected and shows nothing (for example "no more
// entries" ending a list).
struct StatusMessage {
    std::uint32_t status;
    int messageId;
};

enum class CallOutcome {
    Success,          // status 0
    Recognised,       // a status of the call site's table; its message was shown
    ServerError,      // any other status; its message was shown
    TransportFailure, // "Network Error - terminating ZAX Manager"; the program is ending
};

struct CallResult {
    CallOutcome outcome;
    std::uint32_t status;
    bool Succeeded() const { return outcome == CallOutcome::Success; }
    bool Ending() const { return outcome == CallOutcome::TransportFailure; }
    bool Is(std::uint32_t s) const { return outcome == CallOutcome::Recognised && status == s; }
};

// True once a transport failure has ended the program: every later guarded
// call fails at once, without a message and without touching the network,
// so a handler that goes on after its first failed call cannot block on a
// reconnect or show the message twice.
bool ProgramIsEnding();

namespace detail {
CallResult Guard16(const std::function<std::uint16_t()>& call,
                   std::span<const StatusMessage> recognised);
CallResult Guard32(const std::function<std::uint32_t()>& call,
                   std::span<const StatusMessage> recognised);
void SetProgramEnding(bool ending); // the tests' seam, through ScopedHooks
} // namespace detail

// Runs call. On a transport failure (dcerpc::RpcError) it shows the network
// error and calls the endProgram hook with exit code 1; the window placement
// is not saved on this path. Never throws an RpcError itself.
template <class Call>
CallResult GuardServerCall(Call&& call, std::span<const StatusMessage> recognised = {}) {
    using Result = std::invoke_result_t<Call&>;
    if constexpr (std::is_same_v<Result, std::uint16_t>) {
        return detail::Guard16(std::forward<Call>(call), recognised);
    } else if constexpr (std::is_same_v<Result, std::uint32_t> ||
                         std::is_same_v<Result, std::int32_t>) {
        return detail::Guard32([&call] { return static_cast<std::uint32_t>(call()); }, recognised);
    } else {
        static_assert(std::is_same_v<Result, std::uint16_t>,
                      "a server call returns its procedure's 16-bit or 32-bit status");
        return {};
    }
}

} // namespace ui
