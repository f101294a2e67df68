#pragma once
// Wraps a server and makes chosen procedures fail: return a given status,
// raise a transport failure with a given RPC status, or drop the connection
// before replying — on every call, once, or on the n-th call.

#include "server/VoiceMailServer.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zaxsim {

// The catalogue names its parameter types unqualified.
using namespace zax; // NOLINT

struct FaultRule {
    // Refuse: a fault the server flags as raised before the procedure ran
    // (the server is too busy), after which the client may send the call again
    // on the same connection.
    enum class Action { Status, Transport, Drop, Refuse };
    uint16_t opnum = 0;
    Action action = Action::Status;
    uint32_t value = 0; // the status, or the RPC status of a transport failure
    uint32_t nth = 0;   // 0: from the first call on; n: only the n-th call
    bool once = false;  // fires one time only
};

// Parses "OPNUM:status=N", "OPNUM:drop", "OPNUM:drop-once", "OPNUM:rpc=N",
// "OPNUM:refuse", "OPNUM:refuse-once" (optionally followed by "@n" for the n-th call). Returns nullopt when malformed.
std::optional<FaultRule> ParseFaultRule(const std::string& text);

// The rules and call counts, shared by every connection of a server.
class FaultPlan {
public:
    void Add(FaultRule rule);
    void Clear();
    // Counts the call and returns the rule that fires for it, if any.
    std::optional<FaultRule> Check(uint16_t opnum);
    uint32_t Calls(uint16_t opnum) const;

private:
    mutable std::mutex mutex_;
    std::vector<FaultRule> rules_;
    std::vector<bool> spent_;
    uint32_t counts_[97] = {};
};

class FaultInjector : public zax::ForwardingServer {
public:
    FaultInjector(zax::VoiceMailServer& inner, std::shared_ptr<FaultPlan> plan)
        : ForwardingServer(inner), plan_(std::move(plan)) {}
    FaultPlan& plan() { return *plan_; }

#define ZAXSIM_DECLARE_INJECT(op, name, R, retry, n, ...)                                          \
    zax::ResultOf<zax::R> name(ZAX_PARAMS(n, __VA_ARGS__)) override;
    ZAX_CATALOGUE(ZAXSIM_DECLARE_INJECT)
#undef ZAXSIM_DECLARE_INJECT

private:
    // Fires the rule for the call, if any: throws for transport failures and
    // drops, returns the status to answer with for a status rule.
    std::optional<uint32_t> Fire(uint16_t opnum);
    std::shared_ptr<FaultPlan> plan_;
};

} // namespace zaxsim
