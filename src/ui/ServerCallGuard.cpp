#include "ui/ServerCallGuard.h"

#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include "dcerpc/RpcError.h"

#include <algorithm>

namespace ui {

CallResult GuardServerCall(const std::function<std::uint16_t()>& call,
                           std::span<const StatusMessage> recognised) {
    std::uint16_t status = 0;
    try {
        status = call();
    } catch (const dcerpc::RpcError&) {
        ShowMessage(LanguageModule::String(StringId::NetworkErrorTerminating), kStyleWarning);
        Hooks().endProgram(1);
        return {CallOutcome::TransportFailure, 0};
    }
    if (status == 0) {
        return {CallOutcome::Success, 0};
    }
    const auto known =
        std::find_if(recognised.begin(), recognised.end(),
                     [status](const StatusMessage& m) { return m.status == status; });
    if (known != recognised.end()) {
        if (known->messageId != 0) {
            ShowStatusMessage(known->messageId, status);
        }
        return {CallOutcome::Recognised, status};
    }
    ShowStatusMessage(StringId::ServerError, status);
    return {CallOutcome::ServerError, status};
}

} // namespace ui
