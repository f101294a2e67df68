#include "ui/DataExchange.h"
#include "ui/Messages.h"
#include "ui/PropertySheet.h"
#include "ui/RecordPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/TimeSpinButton.h"
#include "ui/UiHooks.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>

using namespace ui;

namespace {

struct Record {
    QString fields[3];
};

// A page editing one field of the shared record through one edit (control 1100).
class FieldPage : public RecordPage {
public:
    FieldPage(int templateId, Record& record, int field, std::string& log)
        : RecordPage(templateId), record_(record), field_(field), log_(log) {
        edit_ = new QLineEdit(this);
        edit_->setProperty(kCtrlIdProperty, 1100);
        (new QVBoxLayout(this))->addWidget(edit_);
        WatchControls();
    }
    void LoadFromRecord() override {
        log_ += "L" + std::to_string(field_);
        value_ = record_.fields[field_];
    }
    void UpdateControlStates() override { log_ += "U" + std::to_string(field_); }
    bool OnApply() override {
        UpdateData(true);
        const bool ok = !refuseApply;
        SetValid(ok);
        if (ok) {
            log_ += "A" + std::to_string(field_);
            record_.fields[field_] = value_;
        }
        return ok;
    }
    bool OnKillActive() override { return !refuseLeave; }

    QLineEdit* edit_;
    bool refuseApply = false;
    bool refuseLeave = false;

protected:
    void DoDataExchange(DataExchange& dx) override { ExchangeText(dx, 1100, value_); }

private:
    Record& record_;
    int field_;
    std::string& log_;
    QString value_;
};

class PageProtocol : public ::testing::Test {
protected:
    PageProtocol() : sheet("Mailbox Administration - 2233") {
        record.fields[0] = "Alice";
        record.fields[1] = "5";
        record.fields[2] = "untouched";
        const int templates[] = {DialogId::PageMbxGeneral, DialogId::PageMbxOptions,
                                 DialogId::PageMbxOutdial};
        for (int i = 0; i < 3; ++i) {
            pages[i] = new FieldPage(templates[i], record, i, log);
            sheet.AddPage(pages[i]);
        }
    }
    QPushButton* Button(int id) {
        for (auto* b : sheet.findChildren<QPushButton*>()) {
            if (b->property(kCtrlIdProperty).toInt() == id) {
                return b;
            }
        }
        return nullptr;
    }

    ScopedHooks hooks;
    Record record;
    std::string log;
    PropertySheet sheet;
    FieldPage* pages[3];
};

TEST_F(PageProtocol, FirstActivationLoadsThenUpdatesThenShows) {
    EXPECT_EQ(log, ""); // nothing loads before the sheet is shown
    sheet.show();
    EXPECT_EQ(log, "L0U0");
    EXPECT_EQ(pages[0]->edit_->text(), "Alice");
    EXPECT_EQ(sheet.findChild<QTabWidget*>()->tabText(1), "Options"); // from the module
    sheet.SetActivePage(1);
    sheet.SetActivePage(0); // later activations only show the fields again
    sheet.SetActivePage(1);
    EXPECT_EQ(log, "L0U0L1U1");
    EXPECT_TRUE(pages[1]->WasActivated());
    EXPECT_FALSE(pages[2]->WasActivated());
}

TEST_F(PageProtocol, NeverShownPageIsNotAppliedAndItsFieldStays) {
    sheet.show();
    sheet.SetActivePage(1);
    pages[1]->edit_->setText("7");
    record.fields[2] = "changed elsewhere"; // page 2 must not write its (unloaded) field back
    log.clear();
    EXPECT_TRUE(sheet.ApplyPages());
    EXPECT_EQ(log, "A0A1");
    EXPECT_EQ(record.fields[1], "7");
    EXPECT_EQ(record.fields[2], "changed elsewhere");
    EXPECT_EQ(sheet.FirstInvalidPage(), 2); // valid flags start clear
}

TEST_F(PageProtocol, UserEditsMarkPageAndSheetModifiedButLoadingDoesNot) {
    sheet.show();
    QPushButton* apply = Button(ControlId::Apply);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(sheet.IsModified());
    EXPECT_FALSE(apply->isEnabled());
    sheet.SetActivePage(1);
    EXPECT_FALSE(pages[1]->IsModified());

    log.clear();
    QTest::keyClicks(pages[1]->edit_, "9");
    EXPECT_TRUE(pages[1]->IsModified());
    EXPECT_TRUE(sheet.IsModified());
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_EQ(log, "U1"); // OnControlChanged re-evaluates the control states
}

TEST_F(PageProtocol, RefusedApplyKeepsSheetOpenOnThatPage) {
    sheet.show();
    sheet.SetActivePage(1);
    sheet.SetActivePage(0);
    pages[1]->refuseApply = true;
    Button(ControlId::Ok)->click();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.ActiveIndex(), 1);
    EXPECT_FALSE(pages[1]->IsPageValid());
    pages[1]->refuseApply = false;
    Button(ControlId::Ok)->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), ControlId::Ok);
}

TEST_F(PageProtocol, PageThatRefusesToBeLeftStaysInFront) {
    sheet.show();
    pages[0]->refuseLeave = true;
    sheet.findChild<QTabWidget*>()->setCurrentIndex(2);
    EXPECT_EQ(sheet.ActiveIndex(), 0);
    EXPECT_FALSE(pages[2]->WasActivated());
    pages[0]->refuseLeave = false;
    sheet.findChild<QTabWidget*>()->setCurrentIndex(2);
    EXPECT_TRUE(pages[2]->WasActivated());
}

TEST_F(PageProtocol, HelpShowsTheActivePagesTopic) {
    int shown = 0;
    Hooks().showHelp = [&shown](int context) { shown = context; };
    sheet.show();
    sheet.SetActivePage(2);
    Button(ControlId::Help)->click();
    EXPECT_EQ(shown, DialogHelpContext(DialogId::PageMbxOutdial));
}

// A bound page with a time of day and a number, in that checking order.
struct Hours {
    int32_t opens = 9 * 3600;
    int16_t rings = 4;
};

class HoursPage : public BoundPage<Hours> {
public:
    explicit HoursPage(Hours& hours) : BoundPage(DialogId::PageMbxFax, hours) {
        auto* layout = new QVBoxLayout(this);
        for (int id : {kOpens, kRings}) {
            auto* edit = new QLineEdit(this);
            edit->setProperty(kCtrlIdProperty, id);
            layout->addWidget(edit);
        }
        WatchControls();
        Bind({bind::Time(kOpens, &Hours::opens, kBadTime),
              bind::Number(kRings, &Hours::rings, kBadRings, bind::Digits(1, 2, 0, 12))});
    }
    static constexpr int kOpens = 1100;
    static constexpr int kRings = 1101;
    static constexpr int kBadTime = StringId::InvalidTime;
    static constexpr int kBadRings = StringId::ServerError;
};

TEST(BoundPage, TypingATimeOnlyMarksThePageApplyingChecksItInTableOrder) {
    ScopedHooks hooks;
    QStringList shown;
    Hooks().messageBox = [&shown](const QString& text, int) {
        shown << text;
        return kAnswerOk;
    };
    Hours hours;
    PropertySheet sheet(QStringLiteral("Hours"));
    auto* page = new HoursPage(hours);
    sheet.AddPage(page);
    sheet.show();
    auto* opens = qobject_cast<QLineEdit*>(page->Control(HoursPage::kOpens));
    EXPECT_EQ(opens->text(), "09:00 AM");

    opens->setFocus();
    opens->selectAll();
    QTest::keyClicks(opens, "1"); // not a time yet: nothing is said while typing
    EXPECT_TRUE(page->IsModified());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(opens->text(), "1");

    page->SetControlText(HoursPage::kRings, "13");
    EXPECT_FALSE(page->OnApply()); // the time is first in the table
    EXPECT_EQ(shown, QStringList{"Invalid time"});
    EXPECT_EQ(hours.opens, 9 * 3600);

    page->SetControlText(HoursPage::kOpens, "1:30 PM");
    EXPECT_FALSE(page->OnApply()); // then the rings: 13 is out of range
    EXPECT_EQ(hours.opens, 13 * 3600 + 30 * 60);
    EXPECT_EQ(hours.rings, 4);

    page->SetControlText(HoursPage::kRings, "12");
    EXPECT_TRUE(page->OnApply());
    EXPECT_EQ(hours.rings, 12);
    EXPECT_TRUE(page->IsPageValid());
}

TEST(TimeSpinButton, StepsByQuarterHoursAroundTheClockAndMarksThePage) {
    ScopedHooks hooks;
    int beeps = 0;
    Hooks().beep = [&beeps] { ++beeps; };
    Hours hours;
    PropertySheet sheet(QStringLiteral("Hours"));
    auto* page = new HoursPage(hours);
    sheet.AddPage(page);
    sheet.show();
    auto* box = qobject_cast<QLineEdit*>(page->Control(HoursPage::kOpens));
    TimeSpinButton spin(page);
    spin.SetBuddy(box);

    const struct {
        const char* from;
        int steps;
        const char* to;
    } cases[] = {
        {"09:07 AM", 1, "09:15 AM"},   {"09:07 AM", -1, "08:45 AM"}, {"09:00 AM", 1, "09:15 AM"},
        {"11:50 PM", 1, "12:00 AM"},   {"12:05 AM", -1, "11:45 PM"}, {"11:45 AM", 2, "12:15 PM"},
        {"12:00 AM", -96, "12:00 AM"}, // a whole day round
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        box->setText(c.from);
        spin.Step(c.steps);
        EXPECT_EQ(box->text(), c.to);
    }
    EXPECT_TRUE(page->IsModified()); // written as if typed
    EXPECT_EQ(beeps, 0);

    box->setText("9h30");
    spin.Step(1);
    EXPECT_EQ(box->text(), "9h30");
    EXPECT_EQ(beeps, 1);

    box->setText("10:00 AM");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "10:15 AM");
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->text(), "09:45 AM");
}

} // namespace
