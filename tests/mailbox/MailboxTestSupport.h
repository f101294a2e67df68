#pragma once
// What the mailbox dialog tests share: a session over the in-process
// simulated server, message boxes and the end of the program recorded
// instead of shown, and a way to act on a window the code under test runs
// modally.

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

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mailboxtest {

struct TestMailbox {
    std::string number;
    std::string name;
    int16_t type = 0;
};

// The demo office with its mailboxes replaced by `mailboxes` (and nothing
// left that refers to the old ones).
inline zaxsim::SimState WithMailboxes(const std::vector<TestMailbox>& mailboxes) {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.mailboxes.clear();
    s.groupLists.clear();
    s.clid.clear();
    s.nameRecordings.clear();
    for (const auto& m : mailboxes) {
        zaxsim::Mailbox box;
        zax::SetText(box.record.Number, m.number);
        zax::SetText(box.record.Name, m.name);
        box.record.Type = m.type;
        box.record.ClassOfService = 1;
        s.mailboxes.emplace(m.number, box);
    }
    return s;
}

// `count` subscribers numbered from 2000, named USER0000 and up.
inline zaxsim::SimState Subscribers(int count) {
    std::vector<TestMailbox> boxes;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "USER%04d", i);
        boxes.push_back({std::to_string(2000 + i), name, 0});
    }
    return WithMailboxes(boxes);
}

class MailboxTest : public ::testing::Test {
protected:
    MailboxTest() {
        Use(zaxsim::MakeDemoState());
        ui::Hooks().messageBox = [this](const QString& text, int style) {
            messages << text;
            styles.push_back(style);
            return answer;
        };
        ui::Hooks().endProgram = [this](int code) { endedWith = code; };
        ui::Hooks().showHelp = [](int) {};
    }

    // Serves `state` from now on, with a fresh recorder and fault plan.
    void Use(zaxsim::SimState state) {
        sim = std::make_unique<testsupport::InProcessServer>(std::move(state));
        session.server = &sim->server();
        session.systemInfo = sim->state().systemInfo;
    }

    // The opnums called so far, in order.
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

} // namespace mailboxtest
