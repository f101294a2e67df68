// Start-up and the log-in loop against the in-process simulated server: every
// refusal the administrator can meet, with its message and what follows.
#include "GuiTestSupport.h"
#include "app/ZaxApplication.h"
#include "dcerpc/RpcError.h"
#include "server/Records.h"
#include "server/Session.h"
#include "ui/CommandTable.h"
#include "ui/DataExchange.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>

namespace {

using namespace guitest;

const std::string kNotInitialized = "ZAX is not initialized";
const std::string kOnlyOne =
    "Only one ZAX Manager, Telset or Terminal Admin session can be active at any time.";
const std::string kOutOfSync = "ZAX Manager Server is out-of-sync with client.  Please upgrade.";
const std::string kInvalidPassword = "Invalid password";
const std::string kCommunicating = "Error communicating with server";
const std::string kInvalidAddress = "Invalid IP address";

struct Fixture {
    TempConfig config;
    testsupport::InProcessServer server;
    zax::Session session;
    ui::CommandTable commands;
    RecordedHooks hooks;
    std::vector<std::string> bound;
    ModuleReset moduleReset;

    bool Start(std::vector<LoginAttempt> attempts,
               const app::ServerConnector& connector = nullptr) {
        LoginScript script(std::move(attempts));
        app_ = std::make_unique<app::ZaxApplication>(
            config.File(), commands, session,
            connector ? connector : ConnectorFor(server.server(), &bound), FakeLookup);
        return app_->InitInstance();
    }
    app::ZaxApplication& App() { return *app_; }
    void End() { app_.reset(); }

private:
    std::unique_ptr<app::ZaxApplication> app_;
};

void SetAdminPassword(testsupport::InProcessServer& server, const std::string& password) {
    zax::SetText(server.state().systemInfo.AdminPassword, password.c_str());
}

TEST(LoginTest, GoodLoginOpensTheSessionAndShowsTheServerInTheTitle) {
    Fixture f;
    ASSERT_TRUE(f.Start({{"127.0.0.1", "1234"}}));
    EXPECT_TRUE(f.hooks.messages.empty());
    EXPECT_EQ(f.App().MainFrame()->windowTitle().toStdString(), "ZAX Manager - 127.0.0.1");
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::OpenSession), 1u);
    EXPECT_STREQ(f.session.systemInfo.ServerAddress, "127.0.0.1");
    EXPECT_EQ(f.session.systemInfo.PrintDestination, 2);
    EXPECT_EQ(f.session.systemInfo.LanguageCode, 1);
    EXPECT_STREQ(f.session.systemInfo.DefaultEditor, "xdg-open");
    EXPECT_EQ(f.App().MainFrame()->KeepAliveTimer().interval(), 300000);
    EXPECT_TRUE(f.App().MainFrame()->KeepAliveTimer().isActive());
    // Time edits use the module's designators from now on.
    EXPECT_EQ(ui::FormatTimeForDisplay(13 * 3600 + 5 * 60).toStdString(), "01:05 PM");
    int seconds = 0;
    EXPECT_TRUE(ui::ParseTimeFromDisplay(QStringLiteral("9:30 am"), seconds));
    EXPECT_EQ(seconds, 9 * 3600 + 30 * 60);

    f.End(); // the end of the program closes the session
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::CloseSession), 1u);
    EXPECT_FALSE(f.server.model().sessionOwner().has_value());
}

// Each refusal shows its message and brings the log-in dialog back; the
// second attempt then gets in.
TEST(LoginTest, EveryRefusalShowsItsMessageAndAsksAgain) {
    struct Row {
        const char* what;
        std::function<void(testsupport::InProcessServer&)> arrange;
        LoginAttempt first;
        LoginAttempt second;
        std::string message;
    };
    const std::string thirty(30, 'K');
    const Row rows[] = {
        {"not initialized",
         [](auto& s) { s.FailStatus(zax::Opnum::GetSystemInfo, 31012, 1); },
         {"127.0.0.1", "1234"},
         {"127.0.0.1", "1234"},
         kNotInitialized},
        {"session active",
         [](auto& s) { s.FailStatus(zax::Opnum::GetSystemInfo, 31020, 1); },
         {"127.0.0.1", "1234"},
         {"127.0.0.1", "1234"},
         kOnlyOne},
        {"other status",
         [](auto& s) { s.FailStatus(zax::Opnum::GetSystemInfo, 31001, 1); },
         {"127.0.0.1", "1234"},
         {"127.0.0.1", "1234"},
         kOutOfSync},
        {"transport failure",
         [](auto& s) { s.FailTransport(zax::Opnum::GetSystemInfo, 1722, 1); },
         {"127.0.0.1", "1234"},
         {"127.0.0.1", "1234"},
         kCommunicating},
        {"wrong password",
         [](auto&) {},
         {"127.0.0.1", "4321"},
         {"127.0.0.1", "1234"},
         kInvalidPassword},
        {"letter case",
         [](auto& s) { SetAdminPassword(s, "Secret"); },
         {"127.0.0.1", "secret"},
         {"127.0.0.1", "Secret"},
         kInvalidPassword},
        {"31 characters",
         [&](auto& s) { SetAdminPassword(s, thirty); },
         {"127.0.0.1", thirty + "K"},
         {"127.0.0.1", thirty},
         kInvalidPassword},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        row.arrange(f.server);
        ASSERT_TRUE(f.Start({row.first, row.second}));
        EXPECT_EQ(f.hooks.messages, std::vector<std::string>{row.message});
        EXPECT_EQ(f.server.recorder().Count(zax::Opnum::OpenSession), 1u);
        EXPECT_EQ(f.bound.size(), 2u); // a fresh binding for every attempt
    }
}

// The server holds the password as record bytes, one byte per character;
// what is typed is compared in that same encoding.
TEST(LoginTest, PasswordWithAnAccentedLetterMatchesTheServersBytes) {
    Fixture f;
    SetAdminPassword(f.server, "caf\xE9");
    ASSERT_TRUE(f.Start({{"127.0.0.1", "caf\xC3\xA9"}})); // "café" typed
    EXPECT_TRUE(f.hooks.messages.empty());
    EXPECT_EQ(f.session.password, "caf\xE9");
}

TEST(LoginTest, ServerAtTheWrongInterfaceLevelIsRefusedAlthoughTheCallSucceeded) {
    Fixture f;
    f.server.state().systemInfo.CompatibilityLevel = 15;
    EXPECT_FALSE(f.Start({{"127.0.0.1", "1234"}}));
    EXPECT_EQ(f.hooks.messages, std::vector<std::string>{kOutOfSync});
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::OpenSession), 0u);
}

TEST(LoginTest, UnreachableServerAndBadAddressesKeepTheAdministratorAtTheDialog) {
    Fixture f;
    int lookups = 0;
    const app::ServerConnector unreachable = [](const std::string&,
                                                uint32_t&) -> std::unique_ptr<app::ServerLink> {
        throw dcerpc::RpcError(1722, "unreachable");
    };
    LoginScript script({{"a..b", "1234"}, {"", "1234"}, {"127.0.0.1", "1234"}});
    app::ZaxApplication zax(f.config.File(), f.commands, f.session, unreachable,
                            [&](const std::string&) {
                                ++lookups;
                                return std::optional<std::string>();
                            });
    EXPECT_FALSE(zax.InitInstance()); // the script ends with Cancel
    EXPECT_EQ(f.hooks.messages,
              (std::vector<std::string>{kInvalidAddress, kInvalidAddress, kCommunicating}));
    EXPECT_EQ(lookups, 0); // a..b is refused before any name lookup
    EXPECT_EQ(script.dialogsAnswered(), 4);
}

TEST(LoginTest, HistoryKeepsTheServerAsTypedAndNamesAreResolved) {
    Fixture f;
    std::ofstream(f.config.Path()) << "[ZAX Manager]\nLanguage=1\nPrint To=2\n"
                                      "Hosts=alpha KOR beta\n";
    ASSERT_TRUE(f.Start({{"kor", "1234"}}));
    EXPECT_EQ(f.config.File().ReadHosts(), "kor alpha beta");
    EXPECT_EQ(f.bound, std::vector<std::string>{"10.1.2.3"});
    EXPECT_EQ(f.App().MainFrame()->windowTitle().toStdString(), "ZAX Manager - kor");
}

// Typed key by key, a server that differs from a history entry only in
// letter case must not be completed to the stored spelling.
TEST(LoginTest, ServerTypedInAnotherCaseIsKeptAsTyped) {
    Fixture f;
    std::ofstream(f.config.Path()) << "[ZAX Manager]\nLanguage=1\nPrint To=2\n"
                                      "Hosts=alpha myserver beta\n";
    ASSERT_TRUE(f.Start({{"MyServer", "1234", true}}));
    EXPECT_EQ(f.config.File().ReadHosts(), "MyServer alpha beta");
    EXPECT_EQ(f.session.serverName, "MyServer");
    EXPECT_EQ(f.App().MainFrame()->windowTitle().toStdString(), "ZAX Manager - MyServer");
}

TEST(LoginTest, OpenSessionFailuresEndTheStartUp) {
    struct Row {
        const char* what;
        std::function<void(testsupport::InProcessServer&)> arrange;
        std::string message;
    };
    const Row rows[] = {
        {"31020", [](auto& s) { s.FailStatus(zax::Opnum::OpenSession, 31020); }, kOnlyOne},
        {"other", [](auto& s) { s.FailStatus(zax::Opnum::OpenSession, 31001); },
         "Network Error - terminating ZAX Manager"},
        {"transport", [](auto& s) { s.FailTransport(zax::Opnum::OpenSession, 1726); },
         kCommunicating},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        row.arrange(f.server);
        EXPECT_FALSE(f.Start({{"127.0.0.1", "1234"}}));
        EXPECT_EQ(f.hooks.messages, std::vector<std::string>{row.message});
        EXPECT_EQ(f.App().MainFrame(), nullptr);
    }
}

TEST(LoginTest, CancelEndsWithoutSessionAndCloseFailureIsIgnored) {
    Fixture f;
    f.server.FailTransport(zax::Opnum::CloseSession, 1726);
    EXPECT_FALSE(f.Start({{"127.0.0.1", "4321"}, {"127.0.0.1", "0000"}}));
    EXPECT_EQ(f.hooks.messages, (std::vector<std::string>{kInvalidPassword, kInvalidPassword}));
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::OpenSession), 0u);
    f.End();
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::CloseSession), 0u);
}

// Whichever way start-up ends before a session was opened, the end of the
// program sends no CloseSession: there is no session handle to close.
TEST(LoginTest, NoSessionOpenedMeansNoCloseSessionAtExit) {
    struct Row {
        const char* what;
        std::function<void(Fixture&)> arrange;
        std::vector<LoginAttempt> attempts;
    };
    const Row rows[] = {
        {"cancel at once", [](Fixture&) {}, {}},
        {"cancel after a refused password", [](Fixture&) {}, {{"127.0.0.1", "4321"}}},
        {"wrong interface level",
         [](Fixture& f) { f.server.state().systemInfo.CompatibilityLevel = 15; },
         {{"127.0.0.1", "1234"}}},
        {"Print To missing",
         [](Fixture& f) {
             std::ofstream(f.config.Path()) << "[ZAX Manager]\nLanguage=1\nHosts=127.0.0.1\n";
         },
         {{"127.0.0.1", "1234"}}},
        {"OpenSession refused",
         [](Fixture& f) { f.server.FailStatus(zax::Opnum::OpenSession, 31020); },
         {{"127.0.0.1", "1234"}}},
        {"OpenSession transport failure",
         [](Fixture& f) { f.server.FailTransport(zax::Opnum::OpenSession, 1726); },
         {{"127.0.0.1", "1234"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        row.arrange(f);
        EXPECT_FALSE(f.Start(row.attempts));
        f.End();
        EXPECT_EQ(f.server.recorder().Count(zax::Opnum::CloseSession), 0u);
    }
}

TEST(LoginTest, MissingSettingsEndTheStartUpWithTheReadError) {
    const std::vector<std::string> readError{"Error reading ZAXMGR.INI"};
    const struct {
        const char* body;
        bool ownBox; // the program's message box rather than the platform's
    } cases[] = {
        // No language yet: no module, so the platform's box.
        {"[ZAX Manager]\nPrint To=2\n", false},
        // Print To is read once the module is loaded: the program's own box.
        {"[ZAX Manager]\nLanguage=1\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        Fixture f;
        std::ofstream(f.config.Path()) << c.body;
        EXPECT_FALSE(f.Start({{"127.0.0.1", "1234"}}));
        EXPECT_EQ(f.hooks.standardBoxes, c.ownBox ? std::vector<std::string>{} : readError);
        EXPECT_EQ(f.hooks.messages, c.ownBox ? readError : std::vector<std::string>{});
        EXPECT_EQ(f.server.recorder().Count(zax::Opnum::OpenSession), 0u);
    }
}

TEST(LoginTest, UnknownLanguageCodeRunsInEnglish) {
    Fixture f;
    std::ofstream(f.config.Path()) << "[ZAX Manager]\nLanguage=5\nPrint To=2\nHosts=127.0.0.1\n";
    ASSERT_TRUE(f.Start({{"127.0.0.1", "1234"}}));
    EXPECT_EQ(ui::LanguageModule::LoadedName().toStdString(), "englishus.dll");
    EXPECT_EQ(f.App().LanguageCode(), 5);
}

} // namespace
