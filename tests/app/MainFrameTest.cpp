// The main frame: command availability, the keep-alive, closing with the
// placement, help and the view toggles.
#include "app/MainFrame.h"
#include "ControlIdCheck.h"
#include "GuiTestSupport.h"
#include "app/AboutDialog.h"
#include "app/ConnectingDialog.h"
#include "app/LanguageDialog.h"
#include "app/LoginDialog.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

#include <unistd.h>

namespace {

using namespace guitest;
using namespace ui;

bool Enabled(QAction* action) {
    return action != nullptr && action->isEnabled();
}

TEST(MainFrameTest, GroupListsAndCentrexFollowTheSystemInformation) {
    for (const uint8_t on : {uint8_t{0}, uint8_t{1}}) {
        SCOPED_TRACE(int(on));
        FrameFixture f(on, on);
        f.commands.Register({CommandId::GroupLists, [](zax::Session&, QWidget*) {},
                             [](const zax::SystemInfo& s) { return s.GroupListsEnabled != 0; }});
        f.commands.Register({CommandId::CentrexRestrictions, [](zax::Session&, QWidget*) {},
                             [](const zax::SystemInfo& s) { return s.CentrexAvailable != 0; }});
        f.commands.Register(CommandId::Fax, [](zax::Session&, QWidget*) {});
        app::CMainFrame& frame = f.Create();
        EXPECT_EQ(frame.menuBar()->actions().at(3)->isEnabled(), on == 1);
        EXPECT_EQ(Enabled(frame.MenuAction(CommandId::GroupLists)), on == 1);
        EXPECT_EQ(Enabled(frame.ToolbarAction(CommandId::GroupLists)), on == 1);
        EXPECT_EQ(Enabled(frame.MenuAction(CommandId::CentrexRestrictions)), on == 1);
        EXPECT_EQ(Enabled(frame.ToolbarAction(CommandId::CentrexRestrictions)), on == 1);
        for (const int position : {4, 5, 6}) {
            EXPECT_TRUE(frame.menuBar()->actions().at(position)->isEnabled());
        }
    }
}

TEST(MainFrameTest, SystemParametersRefreshesGroupListsWithoutARestart) {
    FrameFixture f(0, 1);
    f.commands.Register({CommandId::GroupLists, [](zax::Session&, QWidget*) {},
                         [](const zax::SystemInfo& s) { return s.GroupListsEnabled != 0; }});
    f.commands.Register({CommandId::SystemParameters,
                         [](zax::Session& session, QWidget*) {
                             session.systemInfo.GroupListsEnabled =
                                 1; // the dialog switched them on
                         },
                         nullptr, true});
    app::CMainFrame& frame = f.Create();
    ASSERT_FALSE(Enabled(frame.MenuAction(CommandId::GroupLists)));
    frame.MenuAction(CommandId::SystemParameters)->trigger();
    EXPECT_TRUE(frame.menuBar()->actions().at(3)->isEnabled());
    EXPECT_TRUE(Enabled(frame.ToolbarAction(CommandId::GroupLists)));
}

TEST(MainFrameTest, CommandsRouteThroughTheTableAndUnregisteredOnesAreGreyed) {
    FrameFixture f;
    QWidget* owner = nullptr;
    f.commands.Register(CommandId::ChangeDeleteMailbox,
                        [&](zax::Session&, QWidget* o) { owner = o; });
    app::CMainFrame& frame = f.Create();
    frame.ToolbarAction(CommandId::ChangeDeleteMailbox)->trigger();
    EXPECT_EQ(owner, &frame);
    EXPECT_FALSE(Enabled(frame.MenuAction(CommandId::Fax)));
    EXPECT_FALSE(Enabled(frame.ToolbarAction(CommandId::AddMailbox)));
    EXPECT_TRUE(Enabled(frame.MenuAction(CommandId::Language)));
    EXPECT_TRUE(Enabled(frame.MenuAction(CommandId::About)));
    // Every menu item carries its status-bar prompt.
    EXPECT_EQ(frame.MenuAction(CommandId::Exit)->statusTip().toStdString(), "Quit ZAX Manager");
    EXPECT_EQ(frame.ToolbarAction(CommandId::Fax)->statusTip().toStdString(),
              "See / modify various fax parameters");
}

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command) {
            ids.push_back(e.id);
        }
        CollectCommands(e.children, ids);
    }
}

// Every command of menu 2 has a prompt of its own in every module (not the
// built-in English lent to a module that lacks it), and pointing at the item
// shows that prompt in the status bar, as a menu does when an item is
// highlighted.
TEST(MainFrameTest, EveryMenuCommandShowsItsPromptInEveryModule) {
    for (const char* module : {"englishus.dll", "frenchca.dll", "spanish.dll", "englishuk.dll"}) {
        SCOPED_TRACE(module);
        ModuleReset reset;
        ASSERT_TRUE(LanguageModule::Load(QString::fromLatin1(module)));
        FrameFixture f;
        app::CMainFrame& frame = f.Create();
        std::vector<int> ids;
        CollectCommands(LanguageModule::Menu(2), ids);
        ASSERT_FALSE(ids.empty());
        const std::map<int, QString>& strings = LanguageModule::Active().strings;
        for (const int id : ids) {
            SCOPED_TRACE(id);
            const auto prompt = strings.find(id);
            ASSERT_TRUE(prompt != strings.end() && !prompt->second.trimmed().isEmpty());
            QAction* item = frame.MenuAction(id);
            ASSERT_NE(item, nullptr);
            frame.statusBar()->clearMessage();
            item->showStatusText(frame.menuBar());
            EXPECT_EQ(frame.statusBar()->currentMessage(), prompt->second);
        }
    }
}

TEST(MainFrameTest, ToolbarHoldsNineteenButtonsInSevenGroups) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    int buttons = 0;
    int separators = 0;
    for (QAction* action : frame.ToolBar()->actions()) {
        (action->isSeparator() ? separators : buttons)++;
    }
    EXPECT_EQ(buttons, 19);
    EXPECT_EQ(separators, 12); // a double separator between neighbouring groups
}

TEST(MainFrameTest, KeepAliveFailureIsReportedOnceAndClosesTheFrame) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    f.server.FailTransport(zax::Opnum::KeepAlive, 1726);
    frame.OnKeepAliveTick();
    frame.OnKeepAliveTick(); // the second tick was already queued
    EXPECT_EQ(f.hooks.messages, std::vector<std::string>{"Error communicating with server"});
    EXPECT_FALSE(frame.KeepAliveTimer().isActive());
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(f.config.File().ReadWindowPlacement().HasSavedSize());
}

TEST(MainFrameTest, KeepAliveSucceedsSilently) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    frame.OnKeepAliveTick();
    EXPECT_TRUE(f.hooks.messages.empty());
    EXPECT_TRUE(frame.KeepAliveTimer().isActive());
    EXPECT_EQ(f.server.recorder().Count(zax::Opnum::KeepAlive), 1u);
}

TEST(MainFrameTest, ExitSavesThePlacementAndLeftEdge3000SavesZeros) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    frame.move(40, 50);
    frame.resize(600, 120);
    frame.MenuAction(CommandId::Exit)->trigger();
    const core::WindowPlacement saved = f.config.File().ReadWindowPlacement();
    EXPECT_EQ(saved.left, frame.frameGeometry().left());
    EXPECT_EQ(saved.right - saved.left, frame.frameGeometry().width());
    EXPECT_FALSE(frame.isVisible());

    FrameFixture g;
    app::CMainFrame& other = g.Create();
    other.move(3000, 10);
    other.close();
    EXPECT_EQ(g.config.File().ReadWindowPlacement(), core::WindowPlacement{});
}

TEST(MainFrameTest, ExitWithAnUnwritableConfigurationKeepsTheProgramRunning) {
    FrameFixture f;
    // A read-only file stops an ordinary user; root writes through file
    // modes, so there a path that cannot exist stands in for it.
    std::filesystem::permissions(f.config.Path(), std::filesystem::perms::owner_read);
    std::filesystem::permissions(f.config.Dir().Path(), std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
    const core::ConfigFile file =
        ::geteuid() == 0 ? core::ConfigFile("/proc/self/zaxmgr-test/zaxmgr.ini") : f.config.File();
    app::CMainFrame& frame = f.Create(file);
    frame.MenuAction(CommandId::Exit)->trigger();
    EXPECT_EQ(f.hooks.messages, std::vector<std::string>{"Error writing to ZAXMGR.INI"});
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.KeepAliveTimer().isActive());
}

TEST(MainFrameTest, HelpShowsContentsInTheFrameAndTopicsOfCommands) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    frame.OnCommand(CommandId::Help);
    frame.MenuAction(CommandId::HelpContents)->trigger();
    frame.ToolbarAction(CommandId::HelpIndex)->trigger();
    EXPECT_EQ(f.hooks.helpContexts, (std::vector<int>{0, 0, 0}));
}

TEST(MainFrameTest, ViewTogglesHideTheBarsAndTheirCheckMarks) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    const int defaultHeight = frame.DefaultHeight();
    QAction* toolbar = frame.MenuAction(CommandId::ViewToolbar);
    QAction* status = frame.MenuAction(CommandId::ViewStatusBar);
    ASSERT_TRUE(toolbar->isChecked());
    ASSERT_TRUE(status->isChecked());
    toolbar->trigger();
    status->trigger();
    EXPECT_TRUE(frame.ToolBar()->isHidden());
    EXPECT_TRUE(frame.statusBar()->isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    EXPECT_FALSE(status->isChecked());
    // The default size still allows for both bars.
    EXPECT_EQ(frame.DefaultHeight(), defaultHeight);
    toolbar->trigger();
    EXPECT_TRUE(toolbar->isChecked());
}

TEST(MainFrameTest, ClickForHelpShowsTheTopicOfTheClickedItemInsteadOfRunningIt) {
    FrameFixture f;
    app::CMainFrame& frame = f.Create();
    frame.OnCommand(CommandId::ContextHelp);
    QWidget* button = frame.ToolBar()->widgetForAction(frame.ToolbarAction(CommandId::Language));
    ASSERT_NE(button, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(f.hooks.helpContexts, std::vector<int>{65536 + CommandId::Language});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // the Language dialog did not open
}

TEST(MainFrameTest, AboutBoxShowsTheBuildVersion) {
    app::AboutDialog about;
    about.show();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(about.ControlText(AboutCtl::Version))
                    .hasMatch());
    EXPECT_EQ(about.windowTitle().toStdString(), "About ZAX Manager");
}

} // namespace

namespace {

TEST(ShellDialogs, FormsAndEveryModuleAgreeOnTheControls) {
    guitest::FrameFixture f;
    app::CMainFrame& frame = f.Create();
    const core::ConfigFile config = f.config.File();
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> all;
        all.push_back(
            {ui::DialogId::Login, std::make_unique<app::LoginDialog>(config, core::HostLookup{})});
        all.push_back({ui::DialogId::Connecting, std::make_unique<app::ConnectingDialog>()});
        all.push_back({ui::DialogId::Language, std::make_unique<app::LanguageDialog>(
                                                   config, f.languageCode, f.session, frame)});
        all.push_back({ui::DialogId::About,
                       std::make_unique<app::AboutDialog>(),
                       {AboutCtl::Version, AboutCtl::Icon}});
        return all;
    });
}

} // namespace
