#pragma once
// What the mailbox dialog tests share: a session over the in-process
// simulated server, message boxes and the end of the program recorded
// instead of shown, and a way to act on a window the code under test runs
// modally.

#include "DialogTestSupport.h"
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

// The mailbox dialogs' tests: a dialog test over the demo office.
class MailboxTest : public dialogtest::DialogTest {};

using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;

} // namespace mailboxtest
