// The demo office is what a new user of the simulator sees first, and what
// the dialog tests run against: it must be a configuration the real server
// could hold, with every cross-reference resolving.

#include "RecordBytes.h"
#include "RecordChecks.h"
#include "SimState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace zaxsim {
namespace {

using zax::GetText;

class DemoDataTest : public ::testing::Test {
protected:
    const SimState s = MakeDemoState();
    size_t extLen() const { return static_cast<size_t>(s.systemInfo.ExtensionLength); }
    bool IsExtension(const std::string& e) const {
        return e.size() == extLen() &&
               std::all_of(e.begin(), e.end(), [](char c) { return c >= '0' && c <= '9'; });
    }
};

TEST_F(DemoDataTest, IsAConsistentSmallOffice) {
    EXPECT_NO_THROW(ValidateState(s));
    const auto& si = s.systemInfo;
    EXPECT_EQ(si.ExtensionLength, 4);
    EXPECT_EQ(si.MaxLineNumber, 8);
    EXPECT_EQ(si.MaxPoolNumber, 4);
    EXPECT_EQ(GetText(si.AdminPassword), "1234");
    EXPECT_EQ(si.CompatibilityLevel, 16);
    EXPECT_GE(s.mailboxes.size(), 35u);
    EXPECT_LE(s.mailboxes.size(), static_cast<size_t>(s.capacity.Mailboxes));
    // The copies of a setting that two records carry agree.
    EXPECT_EQ(si.GroupListsEnabled, s.systemParameters.GroupListsEnabled);
    EXPECT_EQ(si.Reserved13, s.systemParameters.GroupListLeadingDigit);
    EXPECT_EQ(si.Reserved14, s.systemParameters.Bilingual);
    EXPECT_EQ(si.NetworkGroupListEnabled, s.network.NetworkGroupList);
    EXPECT_LE(s.systemParameters.OutcallingChannels, si.MaxOutcallChannels);
}

TEST_F(DemoDataTest, MailboxesHaveValidNumbersNamesAndUniqueExtensions) {
    std::set<std::string> extensions;
    for (const auto& [number, m] : s.mailboxes) {
        SCOPED_TRACE(number);
        const auto& r = m.record;
        EXPECT_TRUE(IsExtension(number));
        EXPECT_GE(r.ClassOfService, 1);
        EXPECT_LE(r.ClassOfService, 16);
        const std::string name = GetText(r.Name);
        if (name != zax::SystemManagerName && name != zax::GeneralDeliveryName) {
            EXPECT_FALSE(name.empty());
            EXPECT_LE(name.size(), 16u);
            EXPECT_LE(std::count(name.begin(), name.end(), ','), 1);
            for (char c : name)
                EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c)) ||
                            std::isdigit(static_cast<unsigned char>(c)) ||
                            std::string_view("',-_").find(c) != std::string_view::npos)
                    << name;
        }
        for (const char* field : {r.Extension, r.AlternateExtension1, r.AlternateExtension2}) {
            const std::string e(field, strnlen(field, 8));
            if (e.empty())
                continue;
            EXPECT_TRUE(IsExtension(e)) << e;
            EXPECT_TRUE(extensions.insert(e).second) << "extension " << e << " used twice";
        }
    }
}

TEST_F(DemoDataTest, HoldsBothSystemMailboxesAndEveryMailboxType) {
    std::set<std::string> system;
    std::set<int16_t> types;
    for (const auto& [number, m] : s.mailboxes) {
        if (m.systemMailbox)
            system.insert(GetText(m.record.Name));
        types.insert(m.record.Type);
    }
    const std::set<std::string> expected = {std::string(zax::SystemManagerName),
                                            std::string(zax::GeneralDeliveryName)};
    EXPECT_EQ(system, expected);
    for (auto t : {zax::MailboxType::Subscriber, zax::MailboxType::Information,
                   zax::MailboxType::FaxOnDemand, zax::MailboxType::FaxOverflow,
                   zax::MailboxType::Amis, zax::MailboxType::Network})
        EXPECT_TRUE(types.contains(static_cast<int16_t>(t))) << static_cast<int>(t);
}

// What the demo holds, the server would accept from a client.
TEST_F(DemoDataTest, EveryMailboxAndClassPassesTheServersOwnChecks) {
    for (const auto& [number, m] : s.mailboxes)
        EXPECT_TRUE(IsStorableMailbox(s.systemInfo, m.record)) << number;
    for (const auto& c : s.classesOfService)
        EXPECT_TRUE(IsStorableClassOfService(s.systemInfo, c)) << c.ClassNumber;
    EXPECT_TRUE(IsStorableOperatorSettings(s.systemInfo, s.operatorSettings));
    EXPECT_TRUE(IsStorableFaxParameters(s.systemInfo, s.fax));
    EXPECT_TRUE(IsStorableSystemParameters(s.systemInfo, s.systemParameters));
}

TEST_F(DemoDataTest, ClassesOfServiceAreNamedAndWithinTheServersLimits) {
    const auto names = s.CosNames();
    const auto& lim = s.systemInfo.CosLimits;
    for (size_t i = 0; i < s.classesOfService.size(); ++i) {
        const auto& c = s.classesOfService[i];
        SCOPED_TRACE(i + 1);
        const std::string name = GetText(c.Name);
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), 16u);
        EXPECT_EQ(GetText(names.Names[i]), name);
        const struct {
            int value;
            zax::CosLimitIndex limit;
        } values[] = {
            {c.MaxMailboxMessageTime, zax::CosMailboxMessageTime},
            {c.MaxMessageLength, zax::CosMessageLength},
            {c.MessageRetentionPeriod, zax::CosRetentionPeriod},
            {c.MaxGreetingLength, zax::CosGreetingLength},
            {c.RetryInterval, zax::CosRetryInterval},
            {c.MaxNumberOfAttempts, zax::CosNumberOfAttempts},
            {c.MaxIncorrectPasswordAttempts, zax::CosIncorrectPasswordAttempts},
            {c.PasswordExpiry, zax::CosPasswordExpiry},
        };
        for (const auto& v : values) {
            EXPECT_GE(v.value, lim[v.limit].Low) << "limit " << v.limit;
            EXPECT_LE(v.value, lim[v.limit].High) << "limit " << v.limit;
        }
    }
}

TEST_F(DemoDataTest, CrossReferencesResolve) {
    const auto leading = static_cast<char>('0' + s.systemParameters.GroupListLeadingDigit);
    for (const auto& [number, m] : s.mailboxes) {
        EXPECT_NE(number[0], leading) << "mailbox " << number << " collides with group lists";
        if (m.record.Type == static_cast<int16_t>(zax::MailboxType::Network)) {
            EXPECT_TRUE(s.sites.contains(GetText(m.record.SitePrefix))) << number;
        }
    }
    for (const auto& [number, g] : s.groupLists) {
        EXPECT_EQ(number[0], leading);
        EXPECT_FALSE(g.members.empty());
        for (const auto& member : g.members)
            if (g.header.Kind == static_cast<int16_t>(zax::GroupListKind::Voice)) {
                EXPECT_NE(s.FindMailbox(GetText(member.MemberMailbox)), nullptr);
            }
    }
    for (const auto& [phone, e] : s.clid) {
        SCOPED_TRACE(phone);
        switch (static_cast<zax::ClidTarget>(e.TargetType)) {
        case zax::ClidTarget::Table:
            EXPECT_TRUE(e.GreetingTable >= 1 && e.GreetingTable <= 4);
            break;
        case zax::ClidTarget::Extension:
            EXPECT_NE(s.FindByExtension(GetText(e.Extension)), nullptr);
            break;
        case zax::ClidTarget::Mailbox:
            EXPECT_NE(s.FindMailbox(GetText(e.Mailbox)), nullptr);
            break;
        case zax::ClidTarget::CcrTree:
            ASSERT_TRUE(s.ccrTrees.contains(e.CcrTree));
            EXPECT_TRUE(s.ccrTrees.at(e.CcrTree).contains(GetText(e.CcrTreePath)));
            break;
        default:
            ADD_FAILURE() << "target type " << e.TargetType;
        }
    }
    for (const auto& g : s.greetingTables) {
        EXPECT_TRUE(g.CcrTree == 0 || s.ccrTrees.contains(g.CcrTree));
        const std::string attendant = GetText(g.AttendantExtension);
        EXPECT_TRUE(attendant.empty() || s.FindByExtension(attendant)) << attendant;
        for (int greeting :
             {g.MorningGreeting, g.AfternoonGreeting, g.EveningGreeting, g.NonBusinessGreeting})
            EXPECT_TRUE(greeting >= 1 && greeting <= zax::GreetingNumberMax);
    }
    for (const auto& line : s.lines) {
        EXPECT_TRUE(line.GreetingTable >= 1 && line.GreetingTable <= 4);
        EXPECT_LE(line.Rings, 12);
    }
}

TEST_F(DemoDataTest, DerivedGreetingTableFieldsMatchTheRecordingsAndTrees) {
    SimState refreshed = s;
    RefreshDerivedFields(refreshed);
    for (size_t i = 0; i < s.greetingTables.size(); ++i)
        EXPECT_TRUE(test::SameRecord(s.greetingTables[i], refreshed.greetingTables[i])) << i + 1;
    EXPECT_TRUE(s.greetingTables[0].PrimaryAaPromptRecorded);
    EXPECT_FALSE(s.greetingTables[1].PrimaryAaPromptRecorded);

    // A prompt recorded later shows up after a refresh; a tree removed disappears.
    refreshed.srPrompts[{2, static_cast<int16_t>(zax::SrPromptKind::Decline)}] = {1, 2, 3};
    refreshed.ccrTrees.erase(2);
    RefreshDerivedFields(refreshed);
    EXPECT_EQ(refreshed.greetingTables[1].DeclinePromptRecorded, 1);
    EXPECT_EQ(refreshed.greetingTables[1].CcrTreesDefined[0], 'Y');
    EXPECT_EQ(refreshed.greetingTables[1].CcrTreesDefined[1], ' ');
}

TEST_F(DemoDataTest, ReportsAreBuiltFromTheState) {
    for (int16_t n = 1; n <= 15; ++n)
        EXPECT_FALSE(s.reports.at(n).empty()) << n;
    EXPECT_TRUE(BuildReportText(s, 0, "").empty());
    EXPECT_TRUE(BuildReportText(s, 16, "").empty());
    // Mailbox activity for one mailbox lists only that one.
    const std::string one = BuildReportText(s, 5, "2001");
    EXPECT_NE(one.find("ANDERSON,MARY"), std::string::npos);
    EXPECT_EQ(one.find("BAKER,THOMAS"), std::string::npos);
}

TEST(SimStateTest, ValidateStateRejectsInconsistencies) {
    const struct {
        const char* what;
        void (*spoil)(SimState&);
    } cases[] = {
        {"mailbox filed under another number",
         [](SimState& s) { s.mailboxes["2999"] = s.mailboxes.at("2001"); }},
        {"line table shorter than the line count", [](SimState& s) { s.lines.pop_back(); }},
        {"greeting table out of place", [](SimState& s) { s.greetingTables[2].TableNumber = 1; }},
        {"class of service out of place",
         [](SimState& s) { s.classesOfService[0].ClassNumber = 2; }},
        {"translation input too long",
         [](SimState& s) { s.translations["123456789012345"] = "1"; }},
        {"translation with both values empty", [](SimState& s) { s.translations[""] = ""; }},
        {"Centrex restriction not digits", [](SimState& s) { s.centrexRestrictions.insert("9x"); }},
        {"group member of another list",
         [](SimState& s) { zax::SetText(s.groupLists.at("9001").members[0].ListNumber, "9002"); }},
        {"prompt of a fifth table",
         [](SimState& s) {
             s.aaPrompts[{5, 0}] = {};
         }},
        {"recorded name key too long", [](SimState& s) { s.nameRecordings["12345678"] = {}; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimState s = MakeDemoState();
        c.spoil(s);
        EXPECT_THROW(ValidateState(s), std::runtime_error);
    }
}

} // namespace
} // namespace zaxsim
