#include "app/LoginLoop.h"

#include "app/ConnectingDialog.h"
#include "app/LoginDialog.h"
#include "dcerpc/RpcError.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QTimer>

#include <cstdlib>
#include <optional>

namespace app {

using ui::StringId::ErrorCommunicating;

namespace {

class RpcLink : public ServerLink {
public:
    explicit RpcLink(std::unique_ptr<zax::ServerBinding> binding)
        : binding_(std::move(binding)), server_(*binding_) {}
    zax::VoiceMailServer& Server() override { return server_; }

private:
    std::unique_ptr<zax::ServerBinding> binding_;
    zax::RpcVoiceMailServer server_;
};

// The message for a refused GetSystemInfo status.
int SystemInfoStatusMessage(uint16_t status) {
    switch (status) {
    case zax::StatusNotInitialized:
        return ui::StringId::NotInitialized;
    case zax::StatusSessionActive:
        return ui::StringId::OnlyOneSession;
    default:
        return ui::StringId::ServerOutOfSync;
    }
}

// One attempt with what the dialog gave: the message id of its failure, or
// nothing when the server accepted the password.
std::optional<int> TryLogin(zax::Session& session, const LoginDialog& dialog,
                            std::unique_ptr<ServerLink>& link, const ServerConnector& connector,
                            QWidget* parent) {
    ui::WaitCursor wait;
    uint32_t status = 0;
    try {
        link = connector(dialog.address(), status);
    } catch (const dcerpc::RpcError&) {
        link.reset();
    }
    if (!link || status != 0) {
        link.reset();
        return ErrorCommunicating;
    }

    zax::SystemInfo info{};
    uint16_t infoStatus = 0;
    {
        ConnectingDialog connecting(parent);
        connecting.ShowNow();
        try {
            infoStatus = link->Server().GetSystemInfo(info);
        } catch (const dcerpc::RpcError&) {
            zax::SetText(session.systemInfo.ServerAddress, dialog.address());
            link.reset();
            return ErrorCommunicating;
        }
    }
    session.systemInfo = info;
    zax::SetText(session.systemInfo.ServerAddress, dialog.address());

    if (infoStatus != 0) {
        return SystemInfoStatusMessage(infoStatus);
    }
    if (info.CompatibilityLevel != zax::RequiredCompatibilityLevel) {
        return ui::StringId::ServerOutOfSync;
    }
    if (!zax::PasswordMatches(dialog.password(), info)) {
        return ui::StringId::InvalidPassword;
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<ServerLink> ConnectOverRpc(const std::string& address, uint32_t& status) {
    auto binding = zax::ServerBinding::FromString("ncacn_ip_tcp:" + address + "[]", status);
    if (!binding) {
        return nullptr;
    }
    return std::make_unique<RpcLink>(std::move(binding));
}

std::unique_ptr<ServerLink> RunLoginLoop(zax::Session& session, const core::ConfigFile& config,
                                         const ServerConnector& connector,
                                         const core::HostLookup& lookup, QWidget* parent) {
    for (;;) {
        LoginDialog dialog(config, lookup, parent);
        // For measuring start-up (bench/): the program ends as soon as the
        // log-in dialog is on screen, as if Cancel had been pressed.
        if (std::getenv("ZAXMGR_EXIT_AT_LOGIN") != nullptr) {
            QTimer::singleShot(0, &dialog, [&dialog] { dialog.EndDialog(ui::kAnswerCancel); });
        }
        if (dialog.DoModal() != ui::kAnswerOk) {
            return nullptr;
        }
        std::unique_ptr<ServerLink> link;
        if (const auto failure = TryLogin(session, dialog, link, connector, parent)) {
            session.server = nullptr;
            ui::ShowStatusMessage(*failure);
            continue;
        }
        session.server = &link->Server();
        session.serverName = dialog.serverText();
        session.password = dialog.password();
        session.address = dialog.address();
        return link;
    }
}

bool OpenAdministrationSession(zax::Session& session) {
    uint16_t status = 0;
    try {
        status = session.Server().OpenSession(session.handle);
    } catch (const dcerpc::RpcError&) {
        ui::ShowStatusMessage(ErrorCommunicating);
        return false;
    }
    if (status == zax::StatusSessionActive) {
        ui::ShowStatusMessage(ui::StringId::OnlyOneSession);
        return false;
    }
    if (status != 0) {
        ui::ShowStatusMessage(ui::StringId::NetworkErrorTerminating);
        return false;
    }
    return true;
}

void CloseAdministrationSession(zax::Session& session) noexcept {
    // Without an open session there is nothing to close: a null context
    // handle never leaves this side, the server would not know it anyway.
    if (session.server == nullptr || session.handle.IsNull()) {
        return;
    }
    try {
        (void)session.Server().CloseSession(session.handle);
    } catch (...) { // NOLINT(bugprone-empty-catch): nothing is left to tell
    }
}

} // namespace app
