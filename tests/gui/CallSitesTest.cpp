// Every server call the program's commands make, failed in turn. The calls
// are not listed here: each command of the program's own table is first run
// from the main frame against the demo office by an administrator who tries
// each entry button of a list window once and accepts every window that
// comes up, and the procedures it called become the cases. Each case runs
// the command again with a transport failure at its procedure and checks
// that the failure shows the network error and nothing after it, ends the
// program with 1, leaves the profile (and so the window placement) as it
// was, and writes nothing more to the server.
//
// Calls made through the retry proxy are repeated and then shown with their
// RPC status, and the program goes on; the table marks them and checks that
// instead.

#include "InProcessServer.h"
#include "TempDir.h"

#include "app/MainFrame.h"
#include "core/ConfigFile.h"
#include "gui/Features.h"
#include "prompts/PromptHooks.h"
#include "server/Catalogue.h"
#include "server/Records.h"
#include "server/RetryProxy.h"
#include "server/Session.h"
#include "ui/CommandTable.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/UiHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::string kNetworkError = "Network Error - terminating ZAX Manager";

// A procedure that changes what the server holds, by the verb of its name.
bool IsWrite(uint16_t opnum) {
    const std::string_view name = zax::ProcedureName(opnum);
    for (const std::string_view verb :
         {"Set", "Change", "Add", "Delete", "Remove", "Write", "Reset"}) {
        if (name.starts_with(verb))
            return true;
    }
    return false;
}

std::string Describe(int command) {
    const QString prompt = ui::LanguageModule::String(command).section(QLatin1Char('\n'), 0, 0);
    return std::to_string(command) + " " + prompt.toStdString();
}

QAbstractButton* Button(QWidget& window, int id) {
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (button->property("ctrlId").toInt() == id && button->isVisible() && button->isEnabled())
            return button;
    }
    return nullptr;
}

// The buttons of a list window (one that has Close and no OK) that act on
// its entries: Add, Change, Delete, Properties and the like.
std::vector<int> EntryButtons(QWidget& window) {
    std::vector<int> ids;
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        const int id = button->property("ctrlId").toInt();
        if (id == ui::ControlId::Ok)
            return {};
        if (id != 0 && id != ui::ControlId::Cancel && id != ui::ControlId::Help &&
            !button->isCheckable())
            ids.push_back(id);
    }
    return ids;
}

// The administrator: in a list window presses each of its entry buttons
// once, then presses OK on every window that opens, Close where there is
// none, and gives up on a window that keeps refusing OK.
class AcceptingUser {
public:
    static constexpr int kOkPresses = 3;
    static constexpr qint64 kPatienceMs = 20000;

    AcceptingUser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
        timer_.start(2);
        clock_.start();
    }
    std::vector<std::string> refusedOk; // windows that stayed open after OK
    bool overran = false;

private:
    struct Progress {
        std::vector<int> entryButtons; // still to press
        int presses = 0;               // of OK or Close
    };

    // The press waits for the next turn of the loop, so that a window it
    // opens runs its own loop with this timer free to act on it; it is made
    // only if the window is still the one the administrator faces then.
    void Act() {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isVisible() || pending_)
            return;
        pending_ = true;
        QTimer::singleShot(0, &timer_, [this, window = QPointer<QDialog>(window)] {
            pending_ = false;
            if (window && window == QApplication::activeModalWidget() && window->isVisible())
                Press(*window);
        });
    }

    void Press(QDialog& window) {
        if (!overran && clock_.elapsed() > kPatienceMs)
            overran = true;
        auto [it, first] = progress_.try_emplace(&window);
        Progress& progress = it->second;
        if (first) {
            progress.entryButtons = EntryButtons(window);
            QObject::connect(&window, &QObject::destroyed, &timer_,
                             [this, w = &window] { progress_.erase(w); });
        }
        QAbstractButton* button = nullptr;
        while (button == nullptr && !overran && !progress.entryButtons.empty()) {
            button = Button(window, progress.entryButtons.front());
            progress.entryButtons.erase(progress.entryButtons.begin());
        }
        if (button == nullptr) {
            const int presses = ++progress.presses;
            if (!overran && presses <= kOkPresses)
                button = Button(window, ui::ControlId::Ok);
            if (presses == kOkPresses + 1 && Button(window, ui::ControlId::Ok) != nullptr)
                refusedOk.push_back(window.metaObject()->className());
            if (button == nullptr && !overran && presses <= kOkPresses + 1)
                button = Button(window, ui::ControlId::Cancel);
        }
        if (button != nullptr)
            button->click();
        else
            window.reject();
    }

    QTimer timer_;
    QElapsedTimer clock_;
    std::map<QWidget*, Progress> progress_;
    bool pending_ = false;
};

// A command, and the call of a procedure from which on its calls fail.
struct Case {
    int command;
    uint16_t opnum;
    uint32_t call = 1;  // the first failing call of the procedure, counted from 1
    uint32_t calls = 1; // how many times the procedure is called without failures
};

struct Shown {
    std::string text;
    size_t callsBefore; // server calls made before it was shown
};

struct CommandRun {
    std::vector<uint16_t> calls;
    std::vector<Shown> shown;
    std::vector<int> exitCodes;
    bool frameClosed = false; // which saves the window placement
    bool profileChanged = false;
    std::vector<std::string> refusedOk;
    bool overran = false;
};

class CallSitesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gui::RegisterFeatures(commands_); }

    CallSitesTest() {
        savedCurrent_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.Path().string())); // reports land here
        if (const char* home = std::getenv("XDG_CONFIG_HOME"))
            savedConfigHome_ = home;
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        profile_ = core::ConfigFile().Path();
        std::filesystem::create_directories(profile_.parent_path());
        WriteText(profile_, "[ZAX Manager]\nLanguage=1\nHosts=127.0.0.1\nPrint To=2\n"
                            "Default Editor=xdg-open\nTopLeftx=40\nTopLefty=30\n"
                            "BottomRightx=840\nBottomRighty=630\n");
    }
    ~CallSitesTest() override {
        QDir::setCurrent(savedCurrent_);
        if (savedConfigHome_)
            setenv("XDG_CONFIG_HOME", savedConfigHome_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    // Runs the command from a fresh main frame over a fresh demo office,
    // with a transport failure from the case's call of its procedure on.
    CommandRun Run(int command, std::optional<Case> failing = std::nullopt) {
        CommandRun run;
        const ui::ScopedHooks hooks; // no earlier failure on record
        testsupport::InProcessServer sim;
        if (failing && failing->call == 1) {
            sim.FailTransport(failing->opnum, 1726);
        } else if (failing) {
            // The plan fails one call per rule: enough of them for the retries.
            for (uint32_t k = 0; k < zax::RetryProxy::RetryCount; ++k)
                sim.FailTransport(failing->opnum, 1726, failing->call + k);
        }
        const auto show = [&](const QString& text) {
            run.shown.push_back({text.toStdString(), sim.recorder().calls().size()});
        };
        ui::Hooks().messageBox = [&](const QString& text, int) {
            show(text);
            return ui::kAnswerOk;
        };
        ui::Hooks().standardBox = [&](const QString&, const QString& text, ui::StandardBoxIcon) {
            show(text);
        };
        ui::Hooks().fileDialog = [](QWidget*, const ui::FileDialogRequest&) { return QString(); };
        ui::Hooks().startProcess = [](const QStringList&, bool) { return 0; };
        ui::Hooks().playSound = [](const QString&) { return true; };
        ui::Hooks().endProgram = [&](int code) { run.exitCodes.push_back(code); };
        ui::Hooks().showHelp = [](int) {};
        ui::Hooks().beep = [] {};
        const prompts::PromptHooks promptHooks = prompts::Hooks();
        prompts::Hooks().askUpload = [](const QString&) { return prompts::UploadAnswer::No; };

        zax::Session session;
        session.server = &sim.server();
        session.systemInfo = sim.state().systemInfo;
        session.systemInfo.PrintDestination = zax::PrintDisplayLocally; // as after log-in
        zax::SetText(session.systemInfo.DefaultEditor, "xdg-open");
        const std::string profileBefore = ReadText(profile_);
        const core::ConfigFile config;
        int languageCode = 1;
        bool closed = false;
        {
            app::CMainFrame frame(session, config, commands_, languageCode);
            QObject::connect(&frame, &app::CMainFrame::closed, [&closed] { closed = true; });
            EXPECT_TRUE(frame.Create());
            frame.PlaceAndTitle(config.ReadWindowPlacement(), QStringLiteral("kor"));
            frame.RefreshMenuAvailability();
            frame.show();
            EXPECT_TRUE(frame.IsCommandAvailable(command));
            AcceptingUser user;
            frame.OnCommand(command);
            QCoreApplication::sendPostedEvents(); // a close the command asked for
            QCoreApplication::processEvents();
            run.refusedOk = user.refusedOk;
            run.overran = user.overran;
        }
        prompts::Hooks() = promptHooks;
        run.calls = sim.recorder().Sequence();
        run.frameClosed = closed;
        run.profileChanged = ReadText(profile_) != profileBefore;
        return run;
    }

    static ui::CommandTable commands_;

private:
    TempDir dir_;
    std::filesystem::path profile_;
    QString savedCurrent_;
    std::optional<std::string> savedConfigHome_;
};

ui::CommandTable CallSitesTest::commands_;

// What the case's failure did, checked against the four promises; the
// table's line for the case.
std::string CheckFailure(const Case& c, const CommandRun& run) {
    auto first = run.calls.begin();
    for (uint32_t seen = 0; first != run.calls.end(); ++first) {
        if (*first == c.opnum && ++seen == c.call)
            break;
    }
    if (first == run.calls.end()) {
        ADD_FAILURE() << "the failing call was not made";
        return "not reached";
    }
    const size_t failedAt = static_cast<size_t>(first - run.calls.begin());
    size_t attempts = 0;
    while (failedAt + attempts < run.calls.size() && run.calls[failedAt + attempts] == c.opnum)
        ++attempts;
    std::vector<std::string> after; // the messages shown once the failing call was made
    for (const Shown& s : run.shown) {
        if (s.callsBefore > failedAt)
            after.push_back(s.text);
    }
    const std::vector<uint16_t> later(first + static_cast<std::ptrdiff_t>(attempts),
                                      run.calls.end());
    EXPECT_FALSE(run.frameClosed);
    EXPECT_FALSE(run.profileChanged);
    EXPECT_FALSE(run.overran);

    if (attempts == static_cast<size_t>(zax::RetryProxy::RetryCount)) {
        // Through the retry proxy: repeated, then shown with its RPC status;
        // the window may go on reading, but changes nothing.
        for (const uint16_t opnum : later)
            EXPECT_FALSE(IsWrite(opnum)) << zax::ProcedureName(opnum) << " was sent afterwards";
        EXPECT_EQ(after.size(), 1u) << "messages after the failure";
        EXPECT_TRUE(!after.empty() && after.front().ends_with("The errorcode is 1726."));
        EXPECT_TRUE(run.exitCodes.empty());
        return "retried, then shown";
    }
    EXPECT_EQ(attempts, 1u) << "the failed call was repeated";
    // Every later call of the ending program fails without the network, so
    // nothing is written either.
    EXPECT_TRUE(later.empty()) << zax::ProcedureName(later.front()) << " was sent afterwards";
    EXPECT_EQ(after, std::vector<std::string>{kNetworkError});
    EXPECT_EQ(run.exitCodes, std::vector<int>{1});
    return "ends the program";
}

TEST_F(CallSitesTest, ATransportFailureAtEveryCallOfEveryCommandEndsCleanly) {
    QElapsedTimer clock;
    clock.start();

    // Discovery: what each command calls when every window is accepted.
    std::vector<Case> cases;
    std::vector<int> callingNothing;
    for (const int command : commands_.Ids()) {
        SCOPED_TRACE("discovering " + Describe(command));
        const CommandRun run = Run(command);
        EXPECT_FALSE(run.overran);
        EXPECT_TRUE(run.exitCodes.empty());
        EXPECT_FALSE(run.frameClosed);
        for (const std::string& window : run.refusedOk)
            std::cout << "note: " << Describe(command) << ": " << window << " refused OK\n";
        std::map<uint16_t, uint32_t> called;
        for (const uint16_t opnum : run.calls)
            ++called[opnum];
        if (called.empty())
            callingNothing.push_back(command);
        // Each procedure fails from its first call on and, when it is
        // called again (a loop, a second step), also from its last on.
        for (const auto& [opnum, count] : called) {
            cases.push_back({command, opnum, 1, count});
            if (count > 1)
                cases.push_back({command, opnum, count, count});
        }
    }
    EXPECT_GT(cases.size(), commands_.Ids().size()); // the windows were reached

    // The generated cases.
    std::cout << "command | procedure | after a transport failure\n";
    for (const Case& c : cases) {
        std::string where = Describe(c.command) + " | " + std::to_string(c.opnum) + " " +
                            zax::ProcedureName(c.opnum);
        if (c.calls > 1)
            where += ", call " + std::to_string(c.call) + " of " + std::to_string(c.calls);
        SCOPED_TRACE(where);
        const std::string outcome = CheckFailure(c, Run(c.command, c));
        std::cout << where << " | " << outcome << "\n";
    }
    for (const int command : callingNothing)
        std::cout << Describe(command) << " | (calls nothing)\n";
    std::cout << cases.size() << " cases over " << commands_.Ids().size() << " commands in "
              << clock.elapsed() << " ms\n";
}

} // namespace
