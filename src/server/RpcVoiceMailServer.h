#pragma once
// The real client: every procedure marshalled and sent through a binding.

#include "server/Marshal.h"
#include "server/VoiceMailServer.h"

namespace zax {

class RpcVoiceMailServer : public VoiceMailServer {
public:
    explicit RpcVoiceMailServer(RpcChannel& channel) : channel_(channel) {}
#define ZAX_DECLARE_OVERRIDE(op, name, R, retry, n, ...)                                           \
    ResultOf<R> name(ZAX_PARAMS(n, __VA_ARGS__)) override;
    ZAX_CATALOGUE(ZAX_DECLARE_OVERRIDE)
#undef ZAX_DECLARE_OVERRIDE
private:
    RpcChannel& channel_;
};

} // namespace zax
