#include "server/RetryProxy.h"

#include "dcerpc/RpcError.h"

namespace zax {

template <class Fn> uint32_t RetryProxy::Run(Fn&& call) {
    uint32_t result = 0;
    int attempts = 0;
    while (attempts < RetryCount) {
        try {
            result = static_cast<uint32_t>(call());
        } catch (const dcerpc::RpcError& e) {
            result = e.status();
        }
        ++attempts;
        if (result != dcerpc::RpcStatus::CallFailed)
            break;
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

} // namespace zax
