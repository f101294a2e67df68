#pragma once
// What a dialog test needs around the window under test: a session over the
// in-process simulated server, message boxes and the end of the program
// recorded instead of shown, and the administrator's hands (typing, clicking,
// acting on a window the code under test runs modally).

#include "InProcessServer.h"

#include "server/Session.h"
#include "ui/Messages.h"
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

} // namespace dialogtest
