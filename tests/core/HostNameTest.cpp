#include "core/HostName.h"
#include "core/HostHistory.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

TEST(HostName, Check) {
    struct Case {
        std::string text;
        FieldCheckResult expected;
    };
    const Case cases[] = {
        {"", FieldEmpty},
        {"kor-1.example_net", FieldValid},
        {".a", FieldValid},
        {"a.", FieldValid},
        {"a..b", FieldInvalid},
        {"..", FieldInvalid},
        {"a b", FieldInvalid},
        {"a:80", FieldInvalid},
        {"h\xC3\xA9", FieldInvalid},
        {std::string(100, 'a'), FieldValid},
        {std::string(101, 'a'), FieldOutOfRange},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckHostName(c.text, kMaxHostNameLength), c.expected) << c.text;
    }
}

TEST(HostName, DottedAddressesAreTakenWithoutLookup) {
    struct Case {
        const char* text;
        const char* address; // nullptr: not a dotted address
    };
    const Case cases[] = {{"192.168.1.10", "192.168.1.10"},
                          {"010.001.000.255", "10.1.0.255"},
                          {"0.0.0.0", "0.0.0.0"},
                          {"256.1.1.1", nullptr},
                          {"1.2.3", nullptr},
                          {"1.2.3.4.5", nullptr},
                          {"1.2.3.4 ", nullptr},
                          {"1..3.4", nullptr},
                          {"0001.2.3.4", nullptr},
                          {"a.b.c.d", nullptr}};
    for (const auto& c : cases) {
        const auto parsed = ParseDottedIPv4(c.text);
        EXPECT_EQ(parsed.has_value(), c.address != nullptr) << c.text;
        if (parsed && c.address) {
            EXPECT_EQ(*parsed, c.address);
        }
    }
}

TEST(HostName, ResolveChecksBeforeLookingUp) {
    std::vector<std::string> looked;
    const HostLookup fake = [&looked](const std::string& name) -> std::optional<std::string> {
        looked.push_back(name);
        return name == "kor" ? std::optional<std::string>("10.0.0.7") : std::nullopt;
    };
    struct Case {
        std::string text;
        FieldCheckResult code;
        const char* address;
        bool lookedUp;
    };
    const Case cases[] = {
        {"", FieldEmpty, "", false},
        {"a..b", FieldInvalid, "", false},
        {std::string(101, 'k'), FieldOutOfRange, "", false},
        {"010.0.0.1", FieldValid, "10.0.0.1", false},
        {"kor", FieldValid, "10.0.0.7", true},
        {".a", FieldInvalid, "", true},
    };
    for (const auto& c : cases) {
        looked.clear();
        const ResolvedServer result = ResolveServerAddress(c.text, fake);
        EXPECT_EQ(result.code, c.code) << c.text;
        EXPECT_EQ(result.address, c.address) << c.text;
        EXPECT_EQ(looked.size(), c.lookedUp ? 1U : 0U) << c.text;
    }
}

TEST(HostName, SystemLookupOfLocalhost) {
    const ResolvedServer result = ResolveServerAddress("localhost");
    EXPECT_EQ(result.code, FieldValid);
    EXPECT_EQ(result.address.rfind("127.", 0), 0U) << result.address;
}

TEST(HostHistory, SplitAndJoin) {
    EXPECT_EQ(SplitHostList("  KOR   10.0.0.1 b  "),
              (std::vector<std::string>{"KOR", "10.0.0.1", "b"}));
    EXPECT_TRUE(SplitHostList("    ").empty());
    EXPECT_EQ(JoinHostList({"KOR", "10.0.0.1", "b"}), "KOR 10.0.0.1 b");
    EXPECT_EQ(JoinHostList({}), "");
}

TEST(HostHistory, TypedServerMovesToTop) {
    struct Case {
        std::vector<std::string> before;
        const char* typed;
        std::vector<std::string> after;
    };
    const std::vector<std::string> ten{"h0", "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8", "h9"};
    const Case cases[] = {
        {{"a", "Kor", "c"}, "KOR", {"KOR", "a", "c"}},
        {{"a", "b"}, "new", {"new", "a", "b"}},
        {{}, "x", {"x"}},
        {ten, "new", {"new", "h0", "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8"}},
        {ten, "H9", {"H9", "h0", "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8"}},
        {{"kor", "a", "KOR"}, "Kor", {"Kor", "a"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> hosts = c.before;
        AddHostToHistory(hosts, c.typed);
        EXPECT_EQ(hosts, c.after) << c.typed;
    }
    std::vector<std::string> many(15, "");
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i] = "m" + std::to_string(i);
    }
    AddHostToHistory(many, "new");
    EXPECT_EQ(many.size(), kMaxHostHistory);
}

} // namespace
