#pragma once
// The application object: the program's life from choosing the language
// module through the log-in and the session to the main frame, and the end
// steps (module released, session closed) however start-up went.
#include "app/LoginLoop.h"
#include "app/MainFrame.h"
#include "core/ConfigFile.h"
#include "core/HostName.h"
#include "server/Session.h"
#include "ui/CommandTable.h"

#include <memory>

namespace app {

class ZaxApplication {
public:
    ZaxApplication(core::ConfigFile config, const ui::CommandTable& commands, zax::Session& session,
                   ServerConnector connector = ConnectOverRpc,
                   core::HostLookup lookup = core::LookupHostIPv4);
    // The end of the program: releases the module and closes the session.
    ~ZaxApplication();
    ZaxApplication(const ZaxApplication&) = delete;
    ZaxApplication& operator=(const ZaxApplication&) = delete;

    // Start-up; true when the main frame is shown. On false the program
    // ends without running its message loop.
    bool InitInstance();

    CMainFrame* MainFrame() const { return frame_.get(); }
    int LanguageCode() const { return languageCode_; }
    const core::ConfigFile& Config() const { return config_; }

private:
    bool LoadStartupModule();
    bool CreateMainFrame();

    core::ConfigFile config_;
    const ui::CommandTable& commands_;
    zax::Session& session_;
    ServerConnector connector_;
    core::HostLookup lookup_;
    std::unique_ptr<ServerLink> link_;
    std::unique_ptr<CMainFrame> frame_;
    int languageCode_ = 0;
};

// The dialog look: light grey background with black text.
void ApplyDialogLook();

} // namespace app
