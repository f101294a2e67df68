#include "ui/ServerCallGuard.h"

#include "dcerpc/RpcError.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include <algorithm>
#include <optional>

namespace ui {
namespace {

bool programEnding = false;

// Runs the call; nullopt after a transport failure, which has been reported.
template <class Status> std::optional<Status> Attempt(const std::function<Status()>& call) {
    if (programEnding) {
        return std::nullopt;
    }
    try {
        return call();
    } catch (const dcerpc::RpcError&) {
        programEnding = true;
        ShowMessage(LanguageModule::String(StringId::NetworkErrorTerminating), kStyleWarning);
        Hooks().endProgram(1);
        return std::nullopt;
    }
}

const StatusMessage* Find(std::span<const StatusMessage> recognised, std::uint32_t status) {
    const auto it = std::find_if(recognised.begin(), recognised.end(),
                                 [status](const StatusMessage& m) { return m.status == status; });
    return it == recognised.end() ? nullptr : &*it;
}

// Success, a recognised status with its message, or nothing: the caller
// reports an unknown status its own way.
std::optional<CallResult> Known(std::uint32_t status, std::span<const StatusMessage> recognised) {
    if (status == 0) {
        return CallResult{CallOutcome::Success, 0};
    }
    if (const StatusMessage* known = Find(recognised, status)) {
        if (known->messageId != 0) {
            ShowStatusMessage(known->messageId, static_cast<long>(status));
        }
        return CallResult{CallOutcome::Recognised, status};
    }
    return std::nullopt;
}

// The convention for one call: success, a recognised status with its
// message, an unknown one shown by `unknown`, or the end of the program.
template <class Status, class ShowUnknown>
CallResult Guard(const std::function<Status()>& call, std::span<const StatusMessage> recognised,
                 ShowUnknown unknown) {
    const std::optional<Status> status = Attempt(call);
    if (!status) {
        return {CallOutcome::TransportFailure, 0};
    }
    if (auto known = Known(*status, recognised)) {
        return *known;
    }
    unknown(*status);
    return {CallOutcome::ServerError, *status};
}

} // namespace

bool ProgramIsEnding() {
    return programEnding;
}

namespace detail {

void SetProgramEnding(bool ending) {
    programEnding = ending;
}

CallResult Guard16(const std::function<std::uint16_t()>& call,
                   std::span<const StatusMessage> recognised) {
    return Guard(call, recognised,
                 [](std::uint16_t status) { ShowStatusMessage(StringId::ServerError, status); });
}

CallResult Guard32(const std::function<std::uint32_t()>& call,
                   std::span<const StatusMessage> recognised) {
    return Guard(call, recognised, [](std::uint32_t status) {
        ShowUnexpectedError(static_cast<std::int32_t>(status));
    });
}

} // namespace detail
} // namespace ui
