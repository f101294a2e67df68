#include "core/EntryChecks.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

struct TextCase {
    const char* text;
    FieldCheckResult expected;
};

TEST(EntryChecks, DigitChecks) {
    const TextCase digits[] = {{"", FieldEmpty},
                               {"0", FieldValid},
                               {"123456789", FieldValid},
                               {"1234567890", FieldOutOfRange},
                               {"12a", FieldInvalid},
                               {"-1", FieldInvalid},
                               {"abcdefghij", FieldOutOfRange}};
    for (const auto& c : digits) {
        EXPECT_EQ(CheckDigits(c.text), c.expected) << c.text;
        const FieldCheckResult optional = *c.text == '\0' ? FieldValid : c.expected;
        EXPECT_EQ(CheckOptionalDigits(c.text), optional) << c.text;
    }
}

TEST(EntryChecks, SingleDigit) {
    const TextCase cases[] = {{"", FieldEmpty},
                              {"0", FieldInvalid},
                              {"x", FieldInvalid},
                              {"10", FieldOutOfRange},
                              {"9", FieldValid}};
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(CheckSingleDigit(c.text, value), c.expected) << c.text;
        EXPECT_EQ(value, c.expected == FieldValid ? c.text[0] - '0' : -1) << c.text;
    }
}

TEST(EntryChecks, MailboxNumberWrongLengthIsInvalidNotOutOfRange) {
    const TextCase cases[] = {{"", FieldEmpty},
                              {"1234", FieldValid},
                              {"12345", FieldInvalid},
                              {"123", FieldInvalid},
                              {"12a4", FieldInvalid}};
    for (const auto& c : cases) {
        EXPECT_EQ(CheckMailboxNumber(c.text, 4), c.expected) << c.text;
    }
}

TEST(EntryChecks, LineAndPoolNumbers) {
    struct Case {
        const char* text;
        int maximum;
        FieldCheckResult expected;
    };
    const Case cases[] = {
        {"", 24, FieldEmpty},         {"1", 24, FieldValid},       {"24", 24, FieldValid},
        {"024", 24, FieldOutOfRange}, {"25", 24, FieldOutOfRange}, {"0", 24, FieldOutOfRange},
        {"00", 24, FieldOutOfRange},  {"2x", 24, FieldInvalid},    {"9", 8, FieldOutOfRange},
        {"1", 0, FieldOutOfRange},    {"100", 100, FieldValid}};
    for (const auto& c : cases) {
        int line = -1;
        int pool = -1;
        EXPECT_EQ(CheckLineNumber(c.text, c.maximum, line), c.expected) << c.text;
        EXPECT_EQ(CheckPoolNumber(c.text, c.maximum, pool), c.expected) << c.text;
        if (c.expected == FieldValid) {
            EXPECT_EQ(line, std::stoi(c.text));
            EXPECT_EQ(pool, line);
        }
    }
}

TEST(EntryChecks, NumberFieldDeliversValueBeforeRangeTest) {
    struct Case {
        const char* text;
        FieldCheckResult expected;
        std::uint16_t value;
    };
    // Two to five digits, value 10 to 500.
    const Case cases[] = {{"", FieldEmpty, 7},
                          {"5", FieldOutOfRange, 7},
                          {"123456", FieldOutOfRange, 7},
                          {"1a", FieldInvalid, 7},
                          {"10", FieldValid, 10},
                          {"0500", FieldValid, 500},
                          {"501", FieldOutOfRange, 501},
                          {"09", FieldOutOfRange, 9},
                          {"65546", FieldOutOfRange, 65535},
                          {"70010", FieldOutOfRange, 65535}};
    for (const auto& c : cases) {
        std::uint16_t value = 7;
        EXPECT_EQ(CheckNumberField(c.text, 2, 5, true, 10, 500, value), c.expected) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    std::uint16_t untouched = 7;
    EXPECT_EQ(CheckNumberField("99999", 1, 5, false, 0, 1, untouched), FieldValid);
    EXPECT_EQ(untouched, 7);
}

TEST(EntryChecks, NameLabelAndWords) {
    const TextCase names[] = {{"", FieldEmpty},
                              {"O'Brien-Smith", FieldValid},
                              {"abcdefghijklmnopq", FieldValid},
                              {"abcdefghijklmnopqr", FieldOutOfRange},
                              {"John Smith", FieldOutOfRange},
                              {"a_b", FieldOutOfRange}};
    for (const auto& c : names) {
        EXPECT_EQ(CheckNameChars(c.text), c.expected) << c.text;
    }
    const TextCase labels[] = {{"", FieldEmpty},          {"ab", FieldOutOfRange},
                               {"a'b,c-d_e", FieldValid}, {"abcdefghijk", FieldOutOfRange},
                               {"ab cd", FieldInvalid},   {"ab.c", FieldInvalid}};
    for (const auto& c : labels) {
        EXPECT_EQ(CheckLabel(c.text, 3, 10), c.expected) << c.text;
    }
    const TextCase words[] = {{"", FieldEmpty},       {"it's a_b 9", FieldValid},
                              {"a,b", FieldInvalid},  {"abcdefghijk", FieldOutOfRange},
                              {"x", FieldOutOfRange}, {"caf\xC3\xA9", FieldInvalid}};
    for (const auto& c : words) {
        EXPECT_EQ(CheckWords(c.text, 2, 10), c.expected) << c.text;
    }
}

TEST(EntryChecks, DialString) {
    const TextCase cases[] = {{"", FieldEmpty},
                              {"9P555#", FieldValid},
                              {"*d1p2D", FieldValid},
                              {"9,555", FieldInvalid},
                              {"555 1212", FieldInvalid},
                              {"123456789012345678901234567890", FieldValid},
                              {"1234567890123456789012345678901", FieldOutOfRange}};
    for (const auto& c : cases) {
        std::string out = "old";
        EXPECT_EQ(CheckDialString(c.text, out), c.expected) << c.text;
        EXPECT_EQ(out, c.expected == FieldValid ? c.text : "old");
    }
}

TEST(EntryChecks, ClockText) {
    struct Case {
        const char* text;
        FieldCheckResult h24;
        FieldCheckResult h12;
    };
    const Case cases[] = {
        {"", FieldEmpty, FieldEmpty},          {"23:59", FieldValid, FieldInvalid},
        {"12:00", FieldValid, FieldValid},     {"00:00", FieldValid, FieldValid},
        {"24:00", FieldInvalid, FieldInvalid}, {"10:60", FieldInvalid, FieldInvalid},
        {"9:30", FieldInvalid, FieldInvalid},  {"09-30", FieldInvalid, FieldInvalid},
        {"09:30 ", FieldInvalid, FieldInvalid}};
    for (const auto& c : cases) {
        EXPECT_EQ(CheckClockText(c.text, true), c.h24) << c.text;
        EXPECT_EQ(CheckClockText(c.text, false), c.h12) << c.text;
    }
}

TEST(EntryChecks, GetFieldSplitsAtWhiteSpaceRuns) {
    const std::string line = "  Smith\t\t1234 \n Guest  ";
    EXPECT_EQ(GetField(line, 1), "Smith");
    EXPECT_EQ(GetField(line, 2), "1234");
    EXPECT_EQ(GetField(line, 3), "Guest");
    EXPECT_EQ(GetField(line, 4), "");
    EXPECT_EQ(GetField(line, 0), "");
    EXPECT_EQ(GetField("", 1), "");
}

} // namespace
