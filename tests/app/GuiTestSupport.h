#pragma once
// What the application tests share: the message hooks that record instead of
// showing, a driver that answers the log-in dialog from a script, a server
// link over the in-process simulated server, and a configuration file in a
// temporary directory.
#include "InProcessServer.h"
#include "TempDir.h"
#include "app/LoginDialog.h"
#include "app/LoginLoop.h"
#include "app/MainFrame.h"
#include "core/ConfigFile.h"
#include "ui/LanguageModule.h"
#include "ui/UiHooks.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <deque>
#include <fstream>
#include <string>
#include <vector>

namespace guitest {

// Replaces the hooks for the test's lifetime and records what they were asked.
class RecordedHooks {
public:
    RecordedHooks() {
        ui::Hooks().messageBox = [this](const QString& text, int) {
            messages.push_back(text.toStdString());
            return 1;
        };
        ui::Hooks().standardBox = [this](const QString&, const QString& text, ui::StandardBoxIcon) {
            standardBoxes.push_back(text.toStdString());
        };
        ui::Hooks().showHelp = [this](int context) { helpContexts.push_back(context); };
        ui::Hooks().endProgram = [this](int code) { endCodes.push_back(code); };
    }
    std::vector<std::string> messages;
    std::vector<std::string> standardBoxes;
    std::vector<int> helpContexts;
    std::vector<int> endCodes;

private:
    ui::ScopedHooks restore_;
};

struct LoginAttempt {
    std::string server;
    std::string password;
    // Type the server key by key, as the administrator does (the combo box's
    // completion sees every key), and finish it with Return; otherwise the
    // edit text is set in one go.
    bool typeServer = false;
};

// Types text into widget key by key and finishes with Return.
inline void TypeLine(QWidget* widget, const QString& text) {
    const auto send = [widget](QEvent::Type type, int key, const QString& chars) {
        QKeyEvent event(type, key, Qt::NoModifier, chars);
        QApplication::sendEvent(widget, &event);
    };
    for (const QChar c : text) {
        const int key = c.toUpper().unicode();
        send(QEvent::KeyPress, key, QString(c));
        send(QEvent::KeyRelease, key, QString(c));
    }
    send(QEvent::KeyPress, Qt::Key_Return, QString());
    send(QEvent::KeyRelease, Qt::Key_Return, QString());
}

// Answers every log-in dialog that comes up with the next attempt of the
// script, and with Cancel once the script is used up.
class LoginScript {
public:
    explicit LoginScript(std::vector<LoginAttempt> attempts)
        : attempts_(attempts.begin(), attempts.end()) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(5);
    }
    int dialogsAnswered() const { return answered_; }

private:
    void Poll() {
        auto* dialog = qobject_cast<app::LoginDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        ++answered_;
        if (attempts_.empty()) {
            dialog->ControlAs<QAbstractButton>(2)->click();
            return;
        }
        const LoginAttempt attempt = attempts_.front();
        attempts_.pop_front();
        auto* server = dialog->ControlAs<QComboBox>(1011);
        if (attempt.typeServer) {
            server->clearEditText();
            server->lineEdit()->setFocus();
            TypeLine(server->lineEdit(), QString::fromStdString(attempt.server));
        } else {
            server->setEditText(QString::fromStdString(attempt.server));
        }
        dialog->ControlAs<QLineEdit>(1013)->setText(QString::fromStdString(attempt.password));
        dialog->ControlAs<QAbstractButton>(1)->click();
    }

    std::deque<LoginAttempt> attempts_;
    QTimer timer_;
    int answered_ = 0;
};

// A link to the in-process server; the connector counts the bindings made.
class InProcessLink : public app::ServerLink {
public:
    explicit InProcessLink(zax::VoiceMailServer& server) : server_(server) {}
    zax::VoiceMailServer& Server() override { return server_; }

private:
    zax::VoiceMailServer& server_;
};

inline app::ServerConnector ConnectorFor(zax::VoiceMailServer& server,
                                         std::vector<std::string>* addresses = nullptr) {
    return [&server, addresses](const std::string& address, uint32_t& status) {
        if (addresses != nullptr) {
            addresses->push_back(address);
        }
        status = 0;
        return std::unique_ptr<app::ServerLink>(new InProcessLink(server));
    };
}

// Every name resolves to 10.1.2.3; dotted addresses never reach it.
inline std::optional<std::string> FakeLookup(const std::string&) {
    return std::string("10.1.2.3");
}

// The demo settings of the configuration file, in a temporary directory.
class TempConfig {
public:
    explicit TempConfig(const std::string& body = "[ZAX Manager]\nLanguage=1\nHosts=127.0.0.1\n"
                                                  "Print To=2\nDefault Editor=xdg-open\n") {
        std::ofstream(dir_ / "zaxmgr.ini") << body;
    }
    core::ConfigFile File() const { return core::ConfigFile(dir_ / "zaxmgr.ini"); }
    std::filesystem::path Path() const { return dir_ / "zaxmgr.ini"; }
    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
};

// Puts the built-in English back after a test that switched modules.
struct ModuleReset {
    ~ModuleReset() { ui::LanguageModule::Release(); }
};

// A main frame over the in-process server, created and shown.
struct FrameFixture {
    TempConfig config;
    testsupport::InProcessServer server;
    zax::Session session;
    ui::CommandTable commands;
    RecordedHooks hooks;
    int languageCode = 1;
    std::unique_ptr<app::CMainFrame> frame;

    explicit FrameFixture(uint8_t groupLists = 1, uint8_t centrex = 1) {
        session.server = &server.server();
        session.systemInfo.GroupListsEnabled = groupLists;
        session.systemInfo.CentrexAvailable = centrex;
    }
    app::CMainFrame& Create(const core::ConfigFile& file) {
        configFile_ = std::make_unique<core::ConfigFile>(file);
        frame = std::make_unique<app::CMainFrame>(session, *configFile_, commands, languageCode);
        EXPECT_TRUE(frame->Create());
        frame->PlaceAndTitle({}, QStringLiteral("kor"));
        frame->RefreshMenuAvailability();
        frame->show();
        return *frame;
    }
    app::CMainFrame& Create() { return Create(config.File()); }

private:
    std::unique_ptr<core::ConfigFile> configFile_;
};

} // namespace guitest
