#include "server/RetryProxy.h"

#include "dcerpc/RpcError.h"
#include "server/Session.h"

namespace zax {

namespace {
// Only a call that did not run may be sent again (a repeated voice chunk write
// would store its data twice): a connection that broke before any reply came,
// or a fault the server flagged as raised before the procedure ran. Any other
// fault, and a call that ran out of time, may have had its effect.
bool MayRepeat(const dcerpc::RpcError& e) {
    if (e.isFault())
        return e.didNotExecute();
    return e.status() == dcerpc::RpcStatus::CallFailed;
}
} // namespace

template <class Fn> uint32_t RetryProxy::Run(Fn&& call) {
    uint32_t result = 0;
    int attempts = 0;
    bool repeat = true;
    while (repeat && attempts < RetryCount) {
        repeat = false;
        try {
            result = static_cast<uint32_t>(call());
        } catch (const dcerpc::RpcError& e) {
            result = e.status();
            repeat = MayRepeat(e);
        }
        ++attempts;
    }
    lastAttempts_ = attempts;
    return result;
}

uint32_t RetryProxy::FindFirstEntry(EntrySummary& entry) {
    return Run([&] { return server_.FindFirstEntry(entry, 1, 0); });
}

#define ZAX_RETRY_Retry(op, name, R, n, ...)                                                       \
    uint32_t RetryProxy::name(ZAX_PARAMS(n, __VA_ARGS__)) {                                        \
        return Run([&] { return server_.name(ZAX_ARGS(n)); });                                     \
    }
#define ZAX_RETRY_Direct(op, name, R, n, ...)
#define ZAX_DEFINE_RETRY(op, name, R, retry, n, ...) ZAX_RETRY_##retry(op, name, R, n, __VA_ARGS__)
ZAX_CATALOGUE(ZAX_DEFINE_RETRY)

namespace {
// Each procedure goes to the process-wide session's server as it is now.
class SessionServer : public VoiceMailServer {
public:
#define ZAX_FORWARD_TO_SESSION(op, name, R, retry, n, ...)                                         \
    ResultOf<R> name(ZAX_PARAMS(n, __VA_ARGS__)) override {                                        \
        return Target().name(ZAX_ARGS(n));                                                         \
    }
    ZAX_CATALOGUE(ZAX_FORWARD_TO_SESSION)
#undef ZAX_FORWARD_TO_SESSION

private:
    static VoiceMailServer& Target() {
        VoiceMailServer* server = CurrentSession().server;
        if (server == nullptr)
            throw dcerpc::RpcError(dcerpc::RpcStatus::InvalidBinding, "no server binding yet");
        return *server;
    }
};
} // namespace

RetryProxy& TheRetryProxy() {
    static SessionServer server;
    static RetryProxy proxy(server);
    return proxy;
}

} // namespace zax
