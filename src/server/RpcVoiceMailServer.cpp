#include "server/RpcVoiceMailServer.h"

namespace zax {

#define ZAX_DEFINE_STUB(op, name, R, retry, n, ...)                                                \
    ResultOf<R> RpcVoiceMailServer::name(ZAX_PARAMS(n, __VA_ARGS__)) {                             \
        return marshal::Invoke<ZAX_PROC(op, R, __VA_ARGS__)>(channel_ __VA_OPT__(, ) ZAX_ARGS(n)); \
    }
ZAX_CATALOGUE(ZAX_DEFINE_STUB)
#undef ZAX_DEFINE_STUB

} // namespace zax
