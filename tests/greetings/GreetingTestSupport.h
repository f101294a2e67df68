#pragma once
// The greeting-table sheet run as the program runs it, against the
// in-process server, with a fake in place of the Voice dialog.

#include "DialogTestSupport.h"

#include "greetings/CGtgTable.h"
#include "greetings/GreetingIds.h"
#include "ui/RecordPage.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>

#include <functional>
#include <vector>

namespace greetingtest {

using namespace dialogtest;
using greetings::CGtgTable;

enum Tab { Numbers = 0, Hours = 1, Answering = 2, SpeechRec = 3 };

class GreetingTest : public DialogTest {
protected:
    // Runs table `table` from `start`; `act` works on it once it is open.
    int RunSheet(int table, std::function<void(CGtgTable&)> act,
                 CGtgTable::StartPage start = CGtgTable::FirstPage) {
        CGtgTable sheet(session, table, start, editPrompt);
        WhenModal<CGtgTable>(std::move(act));
        return sheet.Run();
    }

    std::vector<zax::GreetingTableRecord> Writes() const {
        std::vector<zax::GreetingTableRecord> writes;
        for (const auto& call : sim->recorder().CallsOf(zax::Opnum::SetGreetingTable))
            writes.push_back(call.Arg<zax::GreetingTableRecord>(0));
        return writes;
    }

    // The Voice dialog's stand-in: remembers what it was asked to open and
    // answers whether the prompt is recorded afterwards.
    std::vector<greetings::PromptRef> promptsOpened;
    bool recordedAfter = true;
    greetings::EditPrompt editPrompt = [this](zax::Session&, QWidget* owner,
                                              const greetings::PromptRef& prompt) {
        EXPECT_NE(owner, nullptr);
        promptsOpened.push_back(prompt);
        return recordedAfter;
    };
};

inline QWidget* Ctl(CGtgTable& sheet, int tab, int id) {
    return sheet.Page(tab)->Control(id);
}

// Brings a page to the front as a click on its tab does.
inline void ShowTab(CGtgTable& sheet, int tab) {
    sheet.findChild<QTabWidget*>()->setCurrentIndex(tab);
}

inline void Type(CGtgTable& sheet, int tab, int id, const QString& text) {
    ShowTab(sheet, tab);
    TypeInto(Ctl(sheet, tab, id), text);
}

inline void Click(CGtgTable& sheet, int tab, int id) {
    ShowTab(sheet, tab);
    qobject_cast<QAbstractButton*>(Ctl(sheet, tab, id))->click();
}

inline QString Text(CGtgTable& sheet, int tab, int id) {
    return sheet.Page(tab)->ControlText(id);
}

inline bool Enabled(CGtgTable& sheet, int tab, int id) {
    return Ctl(sheet, tab, id)->isEnabled();
}

// Chooses a day in the Hours page's list as the administrator does.
inline void ChooseDay(CGtgTable& sheet, int day) {
    ShowTab(sheet, Hours);
    auto* days = qobject_cast<QComboBox*>(Ctl(sheet, Hours, greetings::HoursCtl::Day));
    days->setCurrentIndex(day);
    emit days->activated(day);
}

} // namespace greetingtest
