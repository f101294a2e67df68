#pragma once
// What a dialog test needs around the window under test: a session over the
// in-process simulated server, message boxes and the end of the program
// recorded instead of shown, and the administrator's hands (typing, clicking,
// acting on a window the code under test runs modally).

#include "InProcessServer.h"

#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/UiHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dialogtest {

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        Use(zaxsim::MakeDemoState());
        ui::Hooks().messageBox = [this](const QString& text, int style) {
            messages << text;
            styles.push_back(style);
            return answer;
        };
        ui::Hooks().endProgram = [this](int code) { endedWith = code; };
        ui::Hooks().showHelp = [](int) {};
    }

    // Serves `state` from now on, with a fresh recorder and fault plan; the
    // session holds the system information the server reports.
    void Use(zaxsim::SimState state) {
        sim = std::make_unique<testsupport::InProcessServer>(std::move(state));
        session.server = &sim->server();
        session.systemInfo = sim->state().systemInfo;
    }

    // A transport failure of `opnum` during `scenario` (which returns the
    // window's result) ends the window with Cancel and the program with one
    // network-error message, and the failed call is not repeated. `prepare`
    // sets up the fresh server further before the scenario runs.
    void ExpectTransportFailureEndsTheProgram(uint16_t opnum,
                                              const std::function<int(zax::Session&)>& scenario,
                                              const std::function<void()>& prepare = {}) {
        const ui::ScopedHooks freshProgram; // no earlier failure on record
        Use(zaxsim::MakeDemoState());
        sim->FailTransport(opnum, 1726);
        if (prepare)
            prepare();
        messages.clear();
        endedWith.reset();
        EXPECT_EQ(scenario(session), ui::ControlId::Cancel);
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_EQ(messages.back(), "Network Error - terminating ZAX Manager");
        EXPECT_EQ(messages.count("Network Error - terminating ZAX Manager"), 1);
        EXPECT_EQ(endedWith, 1);
        EXPECT_EQ(CallsOf(opnum), 1u);
    }

    std::vector<uint16_t> Calls() const { return sim->recorder().Sequence(); }
    size_t CallsOf(uint16_t opnum) const { return sim->recorder().Count(opnum); }

    ui::ScopedHooks hooks; // first: restored last
    std::unique_ptr<testsupport::InProcessServer> sim;
    zax::Session session;
    QStringList messages;
    std::vector<int> styles;
    int answer = ui::kAnswerOk;
    std::optional<int> endedWith;
};

// Replaces an edit's text as a user would, so that the edit reports the change.
inline void TypeInto(QWidget* widget, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    if (!edit->text().isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    if (!text.isEmpty())
        QTest::keyClicks(edit, text);
}

// Clicks the button of `window` whose control id is `id`.
inline void ClickButton(QWidget& window, int id) {
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (button->property("ctrlId").toInt() == id) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << id;
}

// Calls `act` with the window of type W once the code under test has opened
// it modally; a window `act` leaves open is then cancelled.
template <class W> void WhenModal(std::function<void(W&)> act, int tries = 0) {
    QTimer::singleShot(tries == 0 ? 0 : 10, [act = std::move(act), tries]() mutable {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            act(*w);
            if (w->isVisible())
                w->reject();
            return;
        }
        if (tries > 300) {
            ADD_FAILURE() << "no modal window opened";
            return;
        }
        WhenModal<W>(std::move(act), tries + 1);
    });
}

// Opens the dialog and presses OK without changing anything; its result.
template <class Dialog> int RunAndConfirm(zax::Session& session) {
    Dialog dialog(session);
    WhenModal<Dialog>([](Dialog& d) { ClickButton(d, ui::ControlId::Ok); });
    return dialog.Run();
}

} // namespace dialogtest
