#pragma once
// Repeats a call that did not execute, at most RetryCount attempts in all: one
// whose connection broke before a reply came (RPC status 1726), or one the
// server answered with a fault flagged "did not execute". Each operation has
// the procedure's parameters and a 32-bit result: the procedure's status
// widened without sign, or the RPC status of a transport failure or fault.
// It shows no message.

#include "server/VoiceMailServer.h"

#include <cstdint>

namespace zax {

class RetryProxy {
public:
    static constexpr int RetryCount = 3;
    explicit RetryProxy(VoiceMailServer& server) : server_(server) {}

    // Starts a mailbox enumeration: kind 1, selection flag 0.
    uint32_t FindFirstEntry(EntrySummary& entry);

#define ZAX_RETRY_Retry(op, name, R, n, ...) uint32_t name(ZAX_PARAMS(n, __VA_ARGS__));
#define ZAX_RETRY_Direct(op, name, R, n, ...)
#define ZAX_DECLARE_RETRY(op, name, R, retry, n, ...) ZAX_RETRY_##retry(op, name, R, n, __VA_ARGS__)
    ZAX_CATALOGUE(ZAX_DECLARE_RETRY)
#undef ZAX_DECLARE_RETRY
#undef ZAX_RETRY_Retry
#undef ZAX_RETRY_Direct

    // How many attempts the last operation made (for diagnostics and tests).
    int lastAttempts() const {
        return lastAttempts_;
    }

private:
    template <class Fn> uint32_t Run(Fn&& call);
    VoiceMailServer& server_;
    int lastAttempts_ = 0;
};

// The process-wide proxy every call site uses: made on first use and kept
// until the program ends. It calls whatever server the process-wide session
// holds at the time of each call, so a new log-in (or a test that puts an
// in-process server there) needs no new proxy. Without a server the result
// is 1702 (invalid binding).
RetryProxy& TheRetryProxy();

} // namespace zax
