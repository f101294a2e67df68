#pragma once
// A server that serves nothing: every procedure answers as a server does for
// an operation number it does not implement. The simulator's connection
// overrides the procedures it serves.

#include "server/VoiceMailServer.h"
#include "dcerpc/RpcError.h"

namespace zaxsim {

// The catalogue names its parameter types unqualified.
using namespace zax; // NOLINT

[[noreturn]] void ThrowUnserved(uint16_t opnum);

class UnservedServer : public zax::VoiceMailServer {
public:
#define ZAXSIM_UNSERVED(op, name, R, retry, n, ...)                                                \
    zax::ResultOf<zax::R> name(ZAX_PARAMS(n, __VA_ARGS__)) override {                              \
        ThrowUnserved(op);                                                                         \
    }
    ZAX_CATALOGUE(ZAXSIM_UNSERVED)
#undef ZAXSIM_UNSERVED
};

} // namespace zaxsim
