#pragma once
// Wraps a server and records every call: which procedure, and copies of the
// values the caller sent (one entry per parameter; [out]-only parameters are
// recorded empty so indices match the parameter positions).

#include "server/VoiceMailServer.h"

#include <any>
#include <string>
#include <vector>

namespace zaxsim {

// The catalogue names its parameter types unqualified.
using namespace zax; // NOLINT

struct RecordedCall {
    uint16_t opnum = 0;
    std::vector<std::any> args;
    template <class T> const T& Arg(size_t index) const {
        return std::any_cast<const T&>(args.at(index));
    }
};

class CallRecorder : public zax::ForwardingServer {
public:
    explicit CallRecorder(zax::VoiceMailServer& inner) : ForwardingServer(inner) {}

    const std::vector<RecordedCall>& calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    // The calls of one procedure, in order.
    std::vector<RecordedCall> CallsOf(uint16_t opnum) const;
    size_t Count(uint16_t opnum) const;
    // The opnums in call order.
    std::vector<uint16_t> Sequence() const;

#define ZAXSIM_DECLARE_RECORD(op, name, R, retry, n, ...)                                          \
    zax::ResultOf<zax::R> name(ZAX_PARAMS(n, __VA_ARGS__)) override;
    ZAX_CATALOGUE(ZAXSIM_DECLARE_RECORD)
#undef ZAXSIM_DECLARE_RECORD

private:
    std::vector<RecordedCall> calls_;
};

} // namespace zaxsim
