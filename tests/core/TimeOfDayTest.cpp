#include "core/TimeOfDay.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

constexpr TimeDesignators kEnglish{"AM", "PM"};
constexpr TimeDesignators kFrench{"h", "soir"};
constexpr TimeDesignators kNone{"", ""};

constexpr int At(int hour, int minute) {
    return (hour * 60 + minute) * 60;
}

TEST(TimeOfDay, Parse) {
    struct Case {
        const char* text;
        int expected; // kUnreadableTime: the text is refused
    };
    const Case cases[] = {
        {"9:05", At(9, 5)},
        {"  09:05", At(9, 5)},
        {"23:59", At(23, 59)},
        {"0:00", 0},
        {"12:00 am", 0},
        {"12:00 PM", At(12, 0)},
        {"7:30PM", At(19, 30)},
        {"1:15 aM", At(1, 15)},
        {"9:05 ", At(9, 5)},
        {"9:5", kUnreadableTime},
        {"0:30 PM", kUnreadableTime},
        {"13:00 PM", kUnreadableTime},
        {"24:00", kUnreadableTime},
        {"10:60", kUnreadableTime},
        {"123:00", kUnreadableTime},
        {":30", kUnreadableTime},
        {"9:05 XM", kUnreadableTime},
        {"9:055", kUnreadableTime},
        {"9:05 PM x", kUnreadableTime},
        {"", kUnreadableTime},
        {"9.05", kUnreadableTime},
    };
    for (const auto& c : cases) {
        int seconds = kUnreadableTime;
        EXPECT_EQ(ParseTimeOfDay(c.text, kEnglish, seconds), c.expected != kUnreadableTime)
            << c.text;
        EXPECT_EQ(seconds, c.expected) << c.text;
    }
}

TEST(TimeOfDay, ParseUsesLanguageDesignatorsWithEnglishFallback) {
    int seconds = 0;
    EXPECT_TRUE(ParseTimeOfDay("8:00 SOIR", kFrench, seconds));
    EXPECT_EQ(seconds, At(20, 0));
    EXPECT_FALSE(ParseTimeOfDay("8:00 PM", kFrench, seconds));
    EXPECT_TRUE(ParseTimeOfDay("8:00 pm", kNone, seconds));
    EXPECT_EQ(seconds, At(20, 0));
}

TEST(TimeOfDay, Format) {
    struct Case {
        int seconds;
        bool force24;
        TimeDesignators designators;
        const char* expected;
    };
    const Case cases[] = {
        {0, false, kEnglish, "12:00 AM"},          {0, true, kEnglish, "00:00"},
        {At(12, 5), false, kEnglish, "12:05 PM"},  {At(13, 45), false, kEnglish, "01:45 PM"},
        {At(11, 59), false, kEnglish, "11:59 AM"}, {At(23, 0), true, kEnglish, "23:00"},
        {At(13, 45), false, kNone, "13:45"},       {At(20, 0), false, kFrench, "08:00 soir"},
        {At(25, 0), false, kEnglish, "01:00 AM"},  {-At(1, 0), true, kEnglish, "23:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatTimeOfDay(c.seconds, c.force24, c.designators), c.expected) << c.seconds;
    }
}

// A time that could not be read goes through the same formula as any other:
// the partial minute drops toward zero and it shows as midnight, never as
// the minute before it.
TEST(TimeOfDay, FormatShowsTheUnreadableMarkerAsMidnight) {
    EXPECT_EQ(FormatTimeOfDay(kUnreadableTime, false, kEnglish), "12:00 AM");
    EXPECT_EQ(FormatTimeOfDay(kUnreadableTime, true, kEnglish), "00:00");
    EXPECT_EQ(FormatTimeOfDay(kUnreadableTime, false, kFrench), "12:00 h");
    EXPECT_EQ(FormatTimeOfDay(kUnreadableTime, false, kNone), "00:00");
}

TEST(TimeOfDay, FormatThenParseRoundTrips) {
    for (int seconds = 0; seconds < kSecondsPerDay; seconds += 60) {
        int parsed = -1;
        ASSERT_TRUE(ParseTimeOfDay(FormatTimeOfDay(seconds, false, kEnglish), kEnglish, parsed));
        ASSERT_EQ(parsed, seconds);
    }
}

TEST(TimeOfDay, StepMovesByQuarterHoursAndWraps) {
    struct Case {
        int from;
        int steps;
        int expected;
    };
    const Case cases[] = {
        {At(10, 7), 1, At(10, 15)}, {At(10, 7), -1, At(9, 45)}, {At(10, 15), 1, At(10, 30)},
        {At(23, 50), 1, 0},         {At(0, 5), -1, At(23, 45)}, {At(10, 7), 0, At(10, 7)},
        {At(1, 0), 96, At(1, 0)},   {At(1, 0), -97, At(0, 45)},
    };
    for (const auto& c : cases) {
        int seconds = c.from;
        StepTimeOfDay(seconds, c.steps);
        EXPECT_EQ(seconds, c.expected) << c.from << " by " << c.steps;
    }
}

} // namespace
