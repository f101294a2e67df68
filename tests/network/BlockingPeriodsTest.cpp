// The AMIS call-blocking periods: the times as typed in either clock form,
// the week held while the dialog is open, a day that cannot be left with a
// time that does not read, the am/pm pairs and the time arrows.

#include "DialogTestSupport.h"

#include "network/BlockingPeriodsDialog.h"
#include "network/BlockingTime.h"
#include "network/NetworkIds.h"

#include "ui/ResourceIds.h"
#include "ui/TimeSpinButton.h"

using namespace network;
using namespace network::BlockingCtl;
using namespace dialogtest;

namespace {

TEST(BlockingTime, TypedTimesReadInEachClockForm) {
    const struct {
        const char* text;
        bool twelveHour;
        bool pm;
        int hour; // -1: refused
        int minute;
    } cases[] = {
        {"12:30", true, false, 0, 30},   {"12:30", true, true, 12, 30},
        {"01:05", true, true, 13, 5},    {"11:59", true, false, 11, 59},
        {"00:15", true, false, 0, 15},   {"13:00", true, false, -1, 0},
        {"13:00", true, true, -1, 0},    {"23:59", false, false, 23, 59},
        {"00:00", false, false, 0, 0},   {"24:00", false, false, -1, 0},
        {"9:00", false, false, -1, 0},   {"09:60", false, false, -1, 0},
        {"09:00 ", false, false, -1, 0}, {"0900", false, false, -1, 0},
        {"", true, false, -1, 0},        {"ab:cd", false, false, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.twelveHour ? (c.pm ? " pm" : " am") : " 24h"));
        BlockingTime time{99, 99};
        const bool read = ParseBlockingTime(c.text, c.twelveHour, c.pm, time);
        EXPECT_EQ(read, c.hour >= 0);
        if (read) {
            EXPECT_EQ(time.hour, c.hour);
            EXPECT_EQ(time.minute, c.minute);
        } else {
            EXPECT_EQ(time.hour, 99); // left alone
        }
    }
}

TEST(BlockingTime, StoredTimesShowInEachClockForm) {
    const struct {
        uint8_t hour, minute;
        const char* twelve;
        const char* twentyFour;
    } cases[] = {
        {0, 0, "12:00", "00:00"},  {0, 30, "12:30", "00:30"}, {11, 59, "11:59", "11:59"},
        {12, 0, "12:00", "12:00"}, {13, 5, "01:05", "13:05"}, {23, 59, "11:59", "23:59"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twentyFour);
        EXPECT_EQ(FormatBlockingTime({c.hour, c.minute}, true), c.twelve);
        EXPECT_EQ(FormatBlockingTime({c.hour, c.minute}, false), c.twentyFour);
        EXPECT_EQ(IsPm({c.hour, c.minute}), c.hour >= 12);
    }
}

class BlockingTest : public DialogTest {
protected:
    std::unique_ptr<BlockingPeriodsDialog> Open(bool twelveHour) {
        auto dialog = std::make_unique<BlockingPeriodsDialog>(session, twelveHour);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    zax::BlockingPeriodTable& Stored() { return sim->state().blockingPeriods; }
    static int FromBox(int row) { return InRow(row, From); }
    static int ToBox(int row) { return InRow(row, To); }
};

// The demo office blocks 08:00-12:00 and 13:00-17:30 on weekdays.
TEST_F(BlockingTest, OpensOnMondayAsReadInTwelveHourForm) {
    auto dialog = Open(true);
    EXPECT_EQ(dialog->ShownDay(), 0);
    EXPECT_TRUE(dialog->IsChecked(Day(0)));
    EXPECT_EQ(dialog->ControlText(FromBox(0)), "08:00");
    EXPECT_TRUE(dialog->IsChecked(InRow(0, FromAm)));
    EXPECT_EQ(dialog->ControlText(ToBox(0)), "12:00");
    EXPECT_TRUE(dialog->IsChecked(InRow(0, ToPm)));
    EXPECT_EQ(dialog->ControlText(FromBox(1)), "01:00");
    EXPECT_TRUE(dialog->IsChecked(InRow(1, FromPm)));
    EXPECT_EQ(dialog->ControlText(ToBox(1)), "05:30");
    EXPECT_EQ(dialog->ControlText(FromBox(2)), "12:00"); // midnight
    EXPECT_TRUE(dialog->IsChecked(InRow(2, FromAm)));
    EXPECT_TRUE(dialog->Control(InRow(0, FromPm))->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BlockingTest, TwelveThirtyAmAndPmAreStoredAsMidnightAndNoon) {
    auto dialog = Open(true);
    TypeInto(dialog->Control(FromBox(3)), "12:30");
    ClickButton(*dialog, InRow(3, FromAm));
    TypeInto(dialog->Control(ToBox(3)), "12:30");
    ClickButton(*dialog, InRow(3, ToPm));
    EXPECT_FALSE(dialog->IsChecked(InRow(3, ToAm))); // its partner, and only it
    EXPECT_TRUE(dialog->IsChecked(InRow(3, FromAm)));
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_FALSE(dialog->isVisible());
    const zax::BlockingPeriod& p = Stored().Periods[0][3];
    EXPECT_EQ(p.FromHour, 0);
    EXPECT_EQ(p.FromMinute, 30);
    EXPECT_EQ(p.ToHour, 12);
    EXPECT_EQ(p.ToMinute, 30);
}

// Every from time is checked before any to time.
TEST_F(BlockingTest, ADayWithATimeThatDoesNotReadCannotBeLeft) {
    auto dialog = Open(true);
    TypeInto(dialog->Control(ToBox(0)), "13:00");
    TypeInto(dialog->Control(FromBox(3)), "9:00");
    ClickButton(*dialog, Day(2));
    EXPECT_EQ(messages, QStringList{"Invalid from time"});
    EXPECT_EQ(dialog->ShownDay(), 0);
    EXPECT_TRUE(dialog->IsChecked(Day(0)));
    EXPECT_FALSE(dialog->IsChecked(Day(2)));
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(FromBox(3)));
    EXPECT_EQ(dialog->ControlText(FromBox(3)), "9:00"); // kept as typed

    TypeInto(dialog->Control(FromBox(3)), "09:00");
    messages.clear();
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Invalid to time"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(CallsOf(zax::Opnum::SetBlockingPeriods), 0u);

    TypeInto(dialog->Control(ToBox(0)), "11:00");
    messages.clear();
    ClickButton(*dialog, Day(2));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog->ShownDay(), 2);
    EXPECT_EQ(dialog->Table().Periods[0][0].ToHour, 23); // "pm" stayed checked
    EXPECT_EQ(dialog->Table().Periods[0][3].FromHour, 9);
}

// Days left are kept while the dialog is open, and all go out on OK.
TEST_F(BlockingTest, TheWholeWeekGoesOutOnOk) {
    auto dialog = Open(true);
    TypeInto(dialog->Control(FromBox(0)), "07:45"); // Monday
    ClickButton(*dialog, Day(6));
    EXPECT_EQ(dialog->ControlText(FromBox(0)), "12:00"); // Sunday has none
    TypeInto(dialog->Control(ToBox(2)), "11:15");
    ClickButton(*dialog, InRow(2, ToPm));
    ClickButton(*dialog, Day(0));
    EXPECT_EQ(dialog->ControlText(FromBox(0)), "07:45");
    ClickButton(*dialog, ui::ControlId::Ok);
    const auto writes = sim->recorder().CallsOf(zax::Opnum::SetBlockingPeriods);
    ASSERT_EQ(writes.size(), 1u);
    const auto& sent = writes[0].Arg<zax::BlockingPeriodTable>(0);
    EXPECT_EQ(sent.Periods[0][0].FromHour, 7);
    EXPECT_EQ(sent.Periods[0][0].FromMinute, 45);
    EXPECT_EQ(sent.Periods[6][2].ToHour, 23);
    EXPECT_EQ(sent.Periods[6][2].ToMinute, 15);
    EXPECT_EQ(sent.Periods[1][1].ToHour, 17); // an untouched day as read
}

TEST_F(BlockingTest, TwentyFourHourFormTakesNoAmPm) {
    auto dialog = Open(false);
    EXPECT_EQ(dialog->ControlText(ToBox(1)), "17:30");
    EXPECT_FALSE(dialog->Control(InRow(0, FromAm))->isEnabled());
    EXPECT_FALSE(dialog->Control(InRow(3, ToPm))->isEnabled());
    const struct {
        const char* text;
        const char* message;
    } cases[] = {{"24:00", "Invalid to time"}, {"9:00", "Invalid to time"}, {"23:59", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        TypeInto(dialog->Control(ToBox(3)), c.text);
        ClickButton(*dialog, Day(4));
        EXPECT_EQ(messages, c.message ? QStringList{c.message} : QStringList{});
        EXPECT_EQ(dialog->ShownDay(), c.message ? 0 : 4);
    }
    EXPECT_EQ(dialog->Table().Periods[0][3].ToHour, 23);
    EXPECT_EQ(dialog->Table().Periods[0][3].ToMinute, 59);
}

// The arrows step quarter hours in the dialog's own form: the am/pm pair
// turns over at noon, and a box that does not read stays as it is.
TEST_F(BlockingTest, TheArrowsStepTheTimeWithItsAmPmButtons) {
    auto dialog = Open(true);
    auto* spin = dialog->findChild<ui::TimeSpinButton*>("toSpin0");
    ASSERT_NE(spin, nullptr);
    TypeInto(dialog->Control(ToBox(0)), "11:50");
    ClickButton(*dialog, InRow(0, ToAm));
    spin->Step(1);
    EXPECT_EQ(dialog->ControlText(ToBox(0)), "12:00");
    EXPECT_TRUE(dialog->IsChecked(InRow(0, ToPm)));
    EXPECT_FALSE(dialog->IsChecked(InRow(0, ToAm)));
    spin->Step(-1);
    EXPECT_EQ(dialog->ControlText(ToBox(0)), "11:45");
    EXPECT_TRUE(dialog->IsChecked(InRow(0, ToAm)));
    int beeps = 0;
    ui::Hooks().beep = [&beeps] { ++beeps; };
    TypeInto(dialog->Control(ToBox(0)), "13:00");
    spin->Step(1);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialog->ControlText(ToBox(0)), "13:00");

    auto daily = Open(false);
    auto* fromSpin = daily->findChild<ui::TimeSpinButton*>("fromSpin1");
    fromSpin->Step(-1); // 13:00
    EXPECT_EQ(daily->ControlText(FromBox(1)), "12:45");
}

TEST_F(BlockingTest, AnUnreadableWeekIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetBlockingPeriods, 31033);
    BlockingPeriodsDialog dialog(session, true);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
}

} // namespace
