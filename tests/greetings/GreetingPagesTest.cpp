// The four pages of the greeting-table sheet: their checks in order with
// their messages, the Hours page's day-by-day editing and time texts, the
// CCR trees the table may name, and the prompt recordings.

#include "GreetingTestSupport.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace greetingtest;
using namespace greetings;

namespace {

using GreetingNumbersTest = GreetingTest;
using GreetingHoursTest = GreetingTest;
using GreetingAnswerTest = GreetingTest;
using GreetingPromptsTest = GreetingTest;

TEST_F(GreetingNumbersTest, AGreetingIsOneOrTwoDigitsFromOneToForty) {
    const struct {
        const char* typed;
        int stored; // 0: refused
    } cases[] = {{"0", 0}, {"41", 0}, {"007", 0}, {"", 0}, {"4a", 0}, {"40", 40}, {"1", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Use(zaxsim::MakeDemoState());
        messages.clear();
        const int result = RunSheet(1, [&](CGtgTable& sheet) {
            Type(sheet, Numbers, NumbersCtl::Afternoon, c.typed);
            ClickButton(sheet, ui::ControlId::Ok);
            if (c.stored == 0) {
                EXPECT_TRUE(sheet.isVisible());
                EXPECT_EQ(sheet.focusWidget(), Ctl(sheet, Numbers, NumbersCtl::Afternoon));
                EXPECT_FALSE(sheet.Page(Numbers)->IsPageValid());
            }
        });
        if (c.stored == 0) {
            EXPECT_EQ(messages, QStringList{"Invalid afternoon greeting"});
            EXPECT_TRUE(Writes().empty());
        } else {
            EXPECT_EQ(result, ui::ControlId::Ok);
            ASSERT_EQ(Writes().size(), 1u);
            EXPECT_EQ(Writes()[0].AfternoonGreeting, c.stored);
        }
    }
}

// The boxes are checked in order, each stored as soon as it passes: a
// failing evening leaves the morning and afternoon already in the record.
TEST_F(GreetingNumbersTest, ChecksRunInOrderAndStopAtTheFirstFailure) {
    RunSheet(1, [this](CGtgTable& sheet) {
        Type(sheet, Numbers, NumbersCtl::Morning, "21");
        Type(sheet, Numbers, NumbersCtl::Afternoon, "22");
        Type(sheet, Numbers, NumbersCtl::Evening, "99");
        Type(sheet, Numbers, NumbersCtl::NonBusiness, "");
        ClickButton(sheet, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{"Invalid evening greeting"});
        EXPECT_EQ(sheet.Record().MorningGreeting, 21);
        EXPECT_EQ(sheet.Record().AfternoonGreeting, 22);
        EXPECT_EQ(sheet.Record().EveningGreeting, 3);
        Type(sheet, Numbers, NumbersCtl::Evening, "23");
        ClickButton(sheet, ui::ControlId::Ok);
        EXPECT_EQ(messages.last(), "Invalid non-business greeting");
    });
    EXPECT_TRUE(Writes().empty());
}

TEST_F(GreetingHoursTest, TwelveHourTimesReadAsTheClockMeans) {
    const struct {
        const char* typed;
        int hour, minute; // -1: refused
    } cases[] = {
        {"12:00 AM", 0, 0},  {"12:30 PM", 12, 30}, {"  7:05 pm", 19, 5}, {"11:59 am", 11, 59},
        {"13:00 PM", -1, 0}, {"0:30 AM", -1, 0},   {"25:00", -1, 0},     {"9:5 AM", -1, 0},
        {"", -1, 0},         {"14:45", 14, 45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Use(zaxsim::MakeDemoState());
        messages.clear();
        RunSheet(2, [&](CGtgTable& sheet) {
            Type(sheet, Hours, HoursCtl::Evening, c.typed);
            ClickButton(sheet, ui::ControlId::Ok);
        });
        if (c.hour < 0) {
            EXPECT_EQ(messages, QStringList{"Invalid time"});
            EXPECT_TRUE(Writes().empty());
        } else {
            ASSERT_EQ(Writes().size(), 1u);
            const zax::HoursEntry e = Writes()[0].Hours[0][zax::EveningPeriod];
            EXPECT_EQ(e.Hour, c.hour);
            EXPECT_EQ(e.Minute, c.minute);
        }
    }
}

TEST_F(GreetingHoursTest, TimesShowInTheModulesTwelveHourForm) {
    RunSheet(1, [](CGtgTable& sheet) {
        ShowTab(sheet, Hours);
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::Morning), "08:00 AM");
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::Afternoon), "12:00 PM");
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::NonBusiness), "06:00 PM");
        ChooseDay(sheet, 6); // Sunday: closed, every period from midnight
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::Morning), "12:00 AM");
    });
}

// A day whose box cannot be read keeps the list on that day with the text
// as typed; once corrected, the move goes ahead and the day is stored.
TEST_F(GreetingHoursTest, AnUnreadableBoxKeepsTheDayBeingEdited) {
    RunSheet(2, [this](CGtgTable& sheet) {
        Type(sheet, Hours, HoursCtl::Afternoon, "25:00");
        ChooseDay(sheet, 1);
        EXPECT_EQ(messages, QStringList{"Invalid time"});
        EXPECT_EQ(sheet.Page(Hours)->CurrentIndex(HoursCtl::Day), 0);
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::Afternoon), "25:00");
        EXPECT_EQ(sheet.focusWidget(), Ctl(sheet, Hours, HoursCtl::Afternoon));

        // Nor can the page be left.
        ShowTab(sheet, Answering);
        EXPECT_EQ(sheet.ActiveIndex(), Hours);
        EXPECT_EQ(messages.size(), 2);

        Type(sheet, Hours, HoursCtl::Afternoon, "01:15 PM");
        ChooseDay(sheet, 1);
        EXPECT_EQ(sheet.Page(Hours)->CurrentIndex(HoursCtl::Day), 1);
        EXPECT_EQ(Text(sheet, Hours, HoursCtl::Morning), "07:30 AM");
        Type(sheet, Hours, HoursCtl::NonBusiness, "9:00 PM");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    const zax::GreetingTableRecord w = Writes()[0];
    EXPECT_EQ(w.Hours[0][zax::AfternoonPeriod].Hour, 13); // Monday, left behind
    EXPECT_EQ(w.Hours[0][zax::AfternoonPeriod].Minute, 15);
    EXPECT_EQ(w.Hours[1][zax::NonBusinessPeriod].Hour, 21); // Tuesday, still in front
    EXPECT_EQ(w.Hours[1][zax::AfternoonPeriod].Hour, 12);   // untouched
    EXPECT_EQ(sim->state().greetingTables[1].Hours[0][zax::AfternoonPeriod].Minute, 15);
}

TEST_F(GreetingHoursTest, TheArrowsStepTheBoxAndMarkTheTableChanged) {
    RunSheet(2, [](CGtgTable& sheet) {
        ShowTab(sheet, Hours);
        auto* box = qobject_cast<QLineEdit*>(Ctl(sheet, Hours, HoursCtl::Morning));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up); // 07:30 -> 07:45
        EXPECT_EQ(box->text(), "07:45 AM");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(Writes()[0].Hours[0][zax::MorningPeriod].Minute, 45);
}

TEST_F(GreetingAnswerTest, OnlyTreesTheServerHasCanBeChosen) {
    // Demo trees 1 and 2 exist; table 1 answers without a tree.
    RunSheet(1, [](CGtgTable& sheet) {
        ShowTab(sheet, Answering);
        EXPECT_TRUE(sheet.Page(Answering)->IsChecked(AnswerCtl::CcrDisable));
        const bool expected[] = {true, true, false, false};
        const int buttons[] = {AnswerCtl::CcrTree1, AnswerCtl::CcrTree2, AnswerCtl::CcrTree3,
                               AnswerCtl::CcrTree4};
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(Enabled(sheet, Answering, buttons[k]), expected[k]) << k + 1;
        EXPECT_TRUE(Enabled(sheet, Answering, AnswerCtl::CcrDisable));
    });

    zaxsim::SimState noTrees = zaxsim::MakeDemoState();
    noTrees.ccrTrees.clear();
    noTrees.clid.clear();
    Use(std::move(noTrees));
    RunSheet(3, [](CGtgTable& sheet) {
        ShowTab(sheet, Answering);
        for (int id : {AnswerCtl::CcrTree1, AnswerCtl::CcrTree2, AnswerCtl::CcrTree3,
                       AnswerCtl::CcrTree4})
            EXPECT_FALSE(Enabled(sheet, Answering, id)) << id;
        EXPECT_TRUE(Enabled(sheet, Answering, AnswerCtl::CcrDisable));
    });
}

TEST_F(GreetingAnswerTest, DisableWritesNoTreeAndAnEmptyExtensionIsNoAttendant) {
    RunSheet(3, [](CGtgTable& sheet) {
        ShowTab(sheet, Answering);
        EXPECT_TRUE(sheet.Page(Answering)->IsChecked(AnswerCtl::CcrTree1));
        Click(sheet, Answering, AnswerCtl::CcrDisable);
        Type(sheet, Answering, AnswerCtl::Extension, "");
        Click(sheet, Answering, AnswerCtl::LanguageAlternate);
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    const zax::GreetingTableRecord w = Writes()[0];
    EXPECT_EQ(w.CcrTree, 0);
    EXPECT_EQ(std::string(w.AttendantExtension, sizeof w.AttendantExtension),
              std::string(sizeof w.AttendantExtension, '\0'));
    EXPECT_EQ(w.LanguagePreference, 1);
}

TEST_F(GreetingAnswerTest, AnExtensionIsEmptyOrExactlyTheSystemsLength) {
    for (const char* typed : {"123", "12345", "20a1"}) {
        SCOPED_TRACE(typed);
        Use(zaxsim::MakeDemoState());
        messages.clear();
        RunSheet(2, [&](CGtgTable& sheet) {
            Click(sheet, Answering, AnswerCtl::CcrDisable);
            Type(sheet, Answering, AnswerCtl::Extension, typed);
            ClickButton(sheet, ui::ControlId::Ok);
            EXPECT_EQ(sheet.focusWidget(), Ctl(sheet, Answering, AnswerCtl::Extension));
        });
        EXPECT_EQ(messages, QStringList{"Invalid attendant extension"});
        EXPECT_TRUE(Writes().empty());
    }
    Use(zaxsim::MakeDemoState());
    RunSheet(2, [](CGtgTable& sheet) {
        Type(sheet, Answering, AnswerCtl::Extension, "2013");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(zax::GetText(Writes()[0].AttendantExtension), "2013");
}

// "Enable" ticked means the custom prompts are used, which the record
// holds as 0; the prompts' labels follow the box.
TEST_F(GreetingAnswerTest, CustomPromptsAreTheInverseOfTheStandardFlag) {
    RunSheet(2, [](CGtgTable& sheet) {
        ShowTab(sheet, Answering);
        EXPECT_FALSE(sheet.Page(Answering)->IsChecked(AnswerCtl::CustomEnable));
        EXPECT_FALSE(Enabled(sheet, Answering, AnswerCtl::PrimaryStatus));
        EXPECT_FALSE(Enabled(sheet, Answering, AnswerCtl::AlternateLabel));
        EXPECT_TRUE(Enabled(sheet, Answering, AnswerCtl::PrimaryVoice));
        Click(sheet, Answering, AnswerCtl::CustomEnable);
        EXPECT_TRUE(Enabled(sheet, Answering, AnswerCtl::PrimaryStatus));
        EXPECT_TRUE(Enabled(sheet, Answering, AnswerCtl::AlternateLabel));
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(Writes()[0].StandardPrompts, 0);
}

TEST_F(GreetingPromptsTest, RecordingTurnsTheStatusToRecordedForGood) {
    RunSheet(2, [this](CGtgTable& sheet) {
        ShowTab(sheet, Answering);
        EXPECT_EQ(Text(sheet, Answering, AnswerCtl::PrimaryStatus), "NOT RECORDED");
        Click(sheet, Answering, AnswerCtl::AlternateVoice);
        EXPECT_EQ(Text(sheet, Answering, AnswerCtl::AlternateStatus), "RECORDED");
        EXPECT_EQ(Text(sheet, Answering, AnswerCtl::PrimaryStatus), "NOT RECORDED");
        recordedAfter = false; // deleted since: the status stays as it was
        Click(sheet, Answering, AnswerCtl::AlternateVoice);
        EXPECT_EQ(Text(sheet, Answering, AnswerCtl::AlternateStatus), "RECORDED");

        ShowTab(sheet, SpeechRec);
        recordedAfter = true;
        Click(sheet, SpeechRec, SpeechCtl::DeclineVoice);
        EXPECT_EQ(Text(sheet, SpeechRec, SpeechCtl::DeclineStatus), "RECORDED");
        EXPECT_EQ(Text(sheet, SpeechRec, SpeechCtl::ConfirmStatus), "NOT RECORDED");
        Click(sheet, SpeechRec, SpeechCtl::ConfirmVoice);
        Click(sheet, SpeechRec, SpeechCtl::MainVoice);
        Click(sheet, SpeechRec, SpeechCtl::RepeatVoice);
        ClickButton(sheet, ui::ControlId::Ok);
    });
    // Recording is no change of the table.
    EXPECT_TRUE(Writes().empty());
    using F = PromptFamily;
    const struct {
        F family;
        int kind;
        int caption;
    } expected[] = {
        {F::Attendant, 1, 59399},         {F::Attendant, 1, 59399},
        {F::SpeechRecognition, 2, 59397}, {F::SpeechRecognition, 3, 59396},
        {F::SpeechRecognition, 0, 59394}, {F::SpeechRecognition, 1, 59395},
    };
    ASSERT_EQ(promptsOpened.size(), std::size(expected));
    for (size_t i = 0; i < promptsOpened.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(promptsOpened[i].family, expected[i].family);
        EXPECT_EQ(promptsOpened[i].table, 2);
        EXPECT_EQ(promptsOpened[i].kind, expected[i].kind);
        EXPECT_EQ(promptsOpened[i].captionStringId, expected[i].caption);
    }
}

TEST_F(GreetingPromptsTest, TheStatusesShowWhatTheServerHolds) {
    RunSheet(
        1,
        [](CGtgTable& sheet) {
            EXPECT_EQ(Text(sheet, SpeechRec, SpeechCtl::MainStatus), "RECORDED");
            EXPECT_EQ(Text(sheet, SpeechRec, SpeechCtl::RepeatStatus), "NOT RECORDED");
            ShowTab(sheet, Answering);
            EXPECT_EQ(Text(sheet, Answering, AnswerCtl::PrimaryStatus), "RECORDED");
            EXPECT_EQ(Text(sheet, Answering, AnswerCtl::AlternateStatus), "RECORDED");
        },
        CGtgTable::SpeechRecPage);
}

TEST_F(GreetingPromptsTest, WithoutTheVoiceDialogTheButtonsSaySo) {
    editPrompt = nullptr;
    RunSheet(2, [](CGtgTable& sheet) {
        Click(sheet, Answering, AnswerCtl::PrimaryVoice);
        EXPECT_EQ(Text(sheet, Answering, AnswerCtl::PrimaryStatus), "NOT RECORDED");
    });
    EXPECT_EQ(messages, QStringList{"Recording voice prompts is not available in this "
                                    "installation of ZAX Manager."});
}

TEST_F(GreetingPromptsTest, SpeechRecFlagsFollowTheirBoxes) {
    RunSheet(
        2,
        [](CGtgTable& sheet) {
            // Speech recognition off: the prompt boxes wait for it.
            EXPECT_FALSE(Enabled(sheet, SpeechRec, SpeechCtl::Main));
            EXPECT_TRUE(Enabled(sheet, SpeechRec, SpeechCtl::MainVoice));
            Click(sheet, SpeechRec, SpeechCtl::Enabled);
            EXPECT_TRUE(Enabled(sheet, SpeechRec, SpeechCtl::Main));
            EXPECT_FALSE(Enabled(sheet, SpeechRec, SpeechCtl::MainStatus));
            Click(sheet, SpeechRec, SpeechCtl::Confirm);
            EXPECT_TRUE(Enabled(sheet, SpeechRec, SpeechCtl::ConfirmStatus));
            EXPECT_FALSE(Enabled(sheet, SpeechRec, SpeechCtl::DeclineStatus));
            ClickButton(sheet, ui::ControlId::Ok);
        },
        CGtgTable::SpeechRecPage);
    ASSERT_EQ(Writes().size(), 1u);
    const zax::GreetingTableRecord w = Writes()[0];
    EXPECT_EQ(w.SpeechRecognitionEnabled, 1);
    EXPECT_EQ(w.ConfirmPromptCustom, 1);
    EXPECT_EQ(w.MainPromptCustom, 0);
    EXPECT_EQ(w.DeclinePromptCustom, 0);
}

} // namespace
