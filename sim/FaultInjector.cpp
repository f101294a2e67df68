#include "FaultInjector.h"

#include "dcerpc/RpcError.h"
#include "dcerpc/Pdu.h"
#include "dcerpc/RpcServer.h"

#include <charconv>

namespace zaxsim {

namespace {
constexpr uint32_t kServerTooBusy = 0x1c010014; // nca_s_server_too_busy

bool ParseNumber(std::string_view s, uint32_t& out) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}
} // namespace

void ThrowUnserved(uint16_t opnum) {
    throw dcerpc::RpcError(dcerpc::RpcStatus::ProcNumOutOfRange,
                           std::string("procedure not served: ") + zax::ProcedureName(opnum));
}

std::optional<FaultRule> ParseFaultRule(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    FaultRule rule;
    uint32_t op = 0;
    if (!ParseNumber(std::string_view(text).substr(0, colon), op) ||
        !zax::IsCatalogued(static_cast<uint16_t>(op)))
        return std::nullopt;
    rule.opnum = static_cast<uint16_t>(op);
    std::string action = text.substr(colon + 1);
    if (size_t at = action.find('@'); at != std::string::npos) {
        if (!ParseNumber(std::string_view(action).substr(at + 1), rule.nth) || rule.nth == 0)
            return std::nullopt;
        action.resize(at);
    }
    if (action == "drop") {
        rule.action = FaultRule::Action::Drop;
    } else if (action == "drop-once") {
        rule.action = FaultRule::Action::Drop;
        rule.once = true;
    } else if (action == "refuse" || action == "refuse-once") {
        rule.action = FaultRule::Action::Refuse;
        rule.once = action == "refuse-once";
    } else if (action.rfind("status=", 0) == 0) {
        rule.action = FaultRule::Action::Status;
        if (!ParseNumber(std::string_view(action).substr(7), rule.value))
            return std::nullopt;
    } else if (action.rfind("rpc=", 0) == 0) {
        rule.action = FaultRule::Action::Transport;
        if (!ParseNumber(std::string_view(action).substr(4), rule.value))
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return rule;
}

void FaultPlan::Add(FaultRule rule) {
    std::lock_guard lock(mutex_);
    rules_.push_back(rule);
    spent_.push_back(false);
}

void FaultPlan::Clear() {
    std::lock_guard lock(mutex_);
    rules_.clear();
    spent_.clear();
}

uint32_t FaultPlan::Calls(uint16_t opnum) const {
    std::lock_guard lock(mutex_);
    return opnum < 97 ? counts_[opnum] : 0;
}

std::optional<FaultRule> FaultPlan::Check(uint16_t opnum) {
    std::lock_guard lock(mutex_);
    if (opnum >= 97)
        return std::nullopt;
    uint32_t call = ++counts_[opnum];
    for (size_t i = 0; i < rules_.size(); ++i) {
        const FaultRule& r = rules_[i];
        if (r.opnum != opnum || spent_[i])
            continue;
        if (r.nth != 0 && r.nth != call)
            continue;
        if (r.once || r.nth != 0)
            spent_[i] = true;
        return r;
    }
    return std::nullopt;
}

std::optional<uint32_t> FaultInjector::Fire(uint16_t opnum) {
    auto rule = plan_->Check(opnum);
    if (!rule)
        return std::nullopt;
    switch (rule->action) {
    case FaultRule::Action::Drop:
        throw dcerpc::DropConnection{};
    case FaultRule::Action::Transport:
        throw dcerpc::RpcError(rule->value, "injected transport failure");
    case FaultRule::Action::Refuse:
        throw dcerpc::RpcFault{kServerTooBusy, true};
    case FaultRule::Action::Status:
        break;
    }
    return rule->value;
}

namespace {
template <class R> zax::ResultOf<R> AsResult(uint32_t status) {
    if constexpr (std::is_same_v<R, zax::ShortResult>)
        return static_cast<uint16_t>(status);
    else if constexpr (std::is_same_v<R, zax::LongResult>)
        return status;
}
} // namespace

#define ZAXSIM_DEFINE_INJECT(op, name, R, retry, n, ...)                                           \
    zax::ResultOf<zax::R> FaultInjector::name(ZAX_PARAMS(n, __VA_ARGS__)) {                        \
        if (auto status = Fire(op))                                                                \
            return AsResult<zax::R>(*status);                                                      \
        return inner_.name(ZAX_ARGS(n));                                                           \
    }
ZAX_CATALOGUE(ZAXSIM_DEFINE_INJECT)
#undef ZAXSIM_DEFINE_INJECT

} // namespace zaxsim
