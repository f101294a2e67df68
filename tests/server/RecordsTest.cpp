// The offsets themselves are pinned by static_asserts in the header. What the
// compiler cannot check is that each visitor names every field, once, in
// order: a field left out of a visitor silently shifts everything after it on
// the wire. These tests walk each visitor and check that the fields it visits
// tile the record exactly as an NDR stream would lay them out.

#include "server/Records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace zax {
namespace {

struct FieldSpan {
    size_t offset;
    size_t size;
    size_t align;
};

template <class T> std::vector<FieldSpan> VisitedFields() {
    static const T record{};
    std::vector<FieldSpan> spans;
    const auto* base = reinterpret_cast<const unsigned char*>(&record);
    VisitFields(record, [&](const auto& field) {
        using F = std::remove_cvref_t<decltype(field)>;
        const auto* at = reinterpret_cast<const unsigned char*>(&field);
        spans.push_back({static_cast<size_t>(at - base), sizeof(F), alignof(F)});
    });
    return spans;
}

constexpr size_t AlignUp(size_t n, size_t a) {
    return (n + a - 1) / a * a;
}

struct LayoutCase {
    const char* name;
    std::vector<FieldSpan> fields;
    size_t wireSize; // up to the end of the last field: trailing padding is never sent
};

template <class T> LayoutCase Case(const char* name, size_t wireSize) {
    return {name, VisitedFields<T>(), wireSize};
}

TEST(RecordsTest, VisitorsTileEveryRecordInWireOrder) {
    const LayoutCase cases[] = {
        Case<SystemInfo>("SystemInfo", 204),
        Case<CosLimit>("CosLimit", 4),
        Case<EntrySummary>("EntrySummary", 118),
        Case<MailboxRecord>("MailboxRecord", 214),
        Case<CosNameTable>("CosNameTable", 336),
        Case<GroupListRecord>("GroupListRecord", 117),
        Case<CosRecord>("CosRecord", 51),
        Case<LineEntry>("LineEntry", 3),
        Case<HoursEntry>("HoursEntry", 6),
        Case<GreetingTableRecord>("GreetingTableRecord", 215),
        Case<VoiceDialingRecord>("VoiceDialingRecord", 1),
        Case<ClidEntry>("ClidEntry", 52),
        Case<DialingParameters>("DialingParameters", 14),
        Case<OperatorSettings>("OperatorSettings", 12),
        Case<FaxParameters>("FaxParameters", 38),
        Case<SystemParameters>("SystemParameters", 50),
        Case<NetworkParameters>("NetworkParameters", 187),
        Case<BlockingPeriod>("BlockingPeriod", 4),
        Case<BlockingPeriodTable>("BlockingPeriodTable", 112),
        Case<NetworkSite>("NetworkSite", 206),
        Case<VoiceParameters>("VoiceParameters", 60),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.fields.empty());
        size_t end = 0;
        for (size_t i = 0; i < c.fields.size(); ++i) {
            const FieldSpan& f = c.fields[i];
            // Each field starts exactly where the NDR stream puts it: right
            // after the previous one, aligned to its own alignment. A gap any
            // larger means a field is missing from the visitor; a smaller
            // offset means fields are out of order or visited twice.
            EXPECT_EQ(f.offset, AlignUp(end, f.align)) << "field #" << i;
            end = f.offset + f.size;
        }
        EXPECT_EQ(end, c.wireSize);
    }
}

TEST(RecordsTest, HoursAndBlockingPeriodsAreDayMajor) {
    GreetingTableRecord g{};
    const auto* base = reinterpret_cast<const unsigned char*>(&g);
    // Saturday (day 5), evening (period 2): 36 + (5 * 4 + 2) * 6.
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&g.Hours[5][EveningPeriod]) - base, 168);
    BlockingPeriodTable t{};
    const auto* tb = reinterpret_cast<const unsigned char*>(&t);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&t.Periods[6][3].ToMinute) - tb, 111);
}

struct TextCase {
    std::string_view in;
    std::string expected;
};

TEST(RecordsTest, SetTextTruncatesAndPadsWithZeros) {
    const TextCase cases[] = {
        {"", ""},
        {"1234", "1234"},
        {"1234567", "1234567"},  // exactly N-1 fits with its terminator
        {"12345678", "1234567"}, // one too many is cut
        {"123456789012", "1234567"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.in));
        char field[8];
        std::memset(field, 'X', sizeof field);
        SetText(field, c.in);
        EXPECT_EQ(GetText(field), c.expected);
        for (size_t i = c.expected.size(); i < sizeof field; ++i)
            EXPECT_EQ(field[i], '\0') << "byte " << i;
    }
}

TEST(RecordsTest, GetTextStopsAtTheFirstNulOrTheFieldEnd) {
    const char full[4] = {'A', 'B', 'C', 'D'};
    EXPECT_EQ(GetText(full), "ABCD");
    const char embedded[6] = {'A', 'B', '\0', 'C', 'D', '\0'};
    EXPECT_EQ(GetText(embedded), "AB");

    NetworkSite site{};
    SetText(site.TelephoneNumber, std::string(40, '7'));
    EXPECT_EQ(GetText(site.TelephoneNumber), std::string(29, '7'));
    EXPECT_EQ(site.HostName[0], '\0'); // the neighbouring field is untouched
}

} // namespace
} // namespace zax
