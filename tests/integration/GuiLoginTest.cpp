// The program's start-up against the real zaxsim over loopback: log-in with
// the endpoint mapper resolving the port, the session held while the main
// frame runs, and released at the end so that the next client gets in.
#include "../app/GuiTestSupport.h"
#include "ZaxsimProcess.h"
#include "app/ZaxApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace guitest;

// Runs start-up with the log-in dialog answered from the script; the script
// ends with the start-up so that it cannot answer another program's dialog.
bool StartWith(app::ZaxApplication& zax, std::vector<LoginAttempt> attempts) {
    LoginScript script(std::move(attempts));
    return zax.InitInstance();
}

struct Loopback {
    zaxtest::ZaxsimProcess sim{{"--password", "Door42"}};
    Loopback() { setenv("ZAXMGR_EPM_PORT", std::to_string(sim.epmPort()).c_str(), 1); }
};

TEST(GuiLoginTest, LogsInOverLoopbackAndTheSessionIsExclusive) {
    Loopback loopback;
    TempConfig config;
    RecordedHooks hooks;
    ui::CommandTable commands;
    zax::Session first;
    {
        app::ZaxApplication zax(config.File(), commands, first, app::ConnectOverRpc,
                                core::LookupHostIPv4);
        ASSERT_TRUE(StartWith(zax, {{"127.0.0.1", "door42"}, {"127.0.0.1", "Door42"}}));
        EXPECT_EQ(hooks.messages, std::vector<std::string>{"Invalid password"});
        EXPECT_EQ(zax.MainFrame()->windowTitle().toStdString(), "ZAX Manager - 127.0.0.1");
        EXPECT_EQ(first.systemInfo.CompatibilityLevel, 16);
        zax.MainFrame()->OnKeepAliveTick();
        EXPECT_EQ(hooks.messages.size(), 1u);

        // A second administrator is turned away while this session is open.
        zax::Session second;
        app::ZaxApplication other(config.File(), commands, second, app::ConnectOverRpc,
                                  core::LookupHostIPv4);
        EXPECT_FALSE(StartWith(other, {{"127.0.0.1", "Door42"}}));
        EXPECT_EQ(hooks.messages.back(),
                  "Only one ZAX Manager, Telset or Terminal Admin session can be active at any "
                  "time.");
    }
    // The first program ended and closed its session: a new one gets in.
    hooks.messages.clear();
    zax::Session third;
    app::ZaxApplication zax(config.File(), commands, third, app::ConnectOverRpc,
                            core::LookupHostIPv4);
    EXPECT_TRUE(StartWith(zax, {{"127.0.0.1", "Door42"}}));
    EXPECT_TRUE(hooks.messages.empty());
}

TEST(GuiLoginTest, ServerThatIsNotThereIsACommunicationError) {
    Loopback loopback;
    loopback.sim.Stop();
    TempConfig config;
    RecordedHooks hooks;
    ui::CommandTable commands;
    zax::Session session;
    app::ZaxApplication zax(config.File(), commands, session, app::ConnectOverRpc,
                            core::LookupHostIPv4);
    EXPECT_FALSE(StartWith(zax, {{"127.0.0.1", "Door42"}}));
    EXPECT_EQ(hooks.messages, std::vector<std::string>{"Error communicating with server"});
}

} // namespace
