#pragma once
// The voice-mail server as the client sees it: one method per procedure of
// the catalogue. Methods return the server's status; a transport failure is
// thrown as dcerpc::RpcError.

#include "dcerpc/Uuid.h"
#include "server/Catalogue.h"

namespace zax {

// Identity of the interface: UUID 00000000-ae90-1970-afc5-02608cac9709, version 40300.0.
dcerpc::SyntaxId ZaxInterfaceSyntax();

class VoiceMailServer {
public:
    virtual ~VoiceMailServer() = default;
#define ZAX_DECLARE_PURE(op, name, R, retry, n, ...)                                               \
    virtual ResultOf<R> name(ZAX_PARAMS(n, __VA_ARGS__)) = 0;
    ZAX_CATALOGUE(ZAX_DECLARE_PURE)
#undef ZAX_DECLARE_PURE
};

// Forwards every procedure to another server; decorators override what they change.
class ForwardingServer : public VoiceMailServer {
public:
    explicit ForwardingServer(VoiceMailServer& inner) : inner_(inner) {}
    // Never copied: a copy would silently forward to the original's target.
    ForwardingServer(const ForwardingServer&) = delete;
    ForwardingServer& operator=(const ForwardingServer&) = delete;
#define ZAX_DECLARE_FORWARD(op, name, R, retry, n, ...)                                            \
    ResultOf<R> name(ZAX_PARAMS(n, __VA_ARGS__)) override {                                        \
        return inner_.name(ZAX_ARGS(n));                                                           \
    }
    ZAX_CATALOGUE(ZAX_DECLARE_FORWARD)
#undef ZAX_DECLARE_FORWARD
protected:
    VoiceMailServer& inner_;
};

} // namespace zax
