#pragma once
// Whether two states hold the same records, field by field, family by family.

#include "RecordBytes.h"
#include "SimState.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zaxsim::test {

template <class T, class Same> void ExpectSameMap(const T& a, const T& b, Same same) {
    ASSERT_EQ(a.size(), b.size());
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        EXPECT_EQ(i->first, j->first);
        EXPECT_TRUE(same(i->second, j->second)) << "at key " << testing::PrintToString(i->first);
    }
}

template <class R> bool SameArrays(const R& a, const R& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& x, const auto& y) { return SameRecord(x, y); });
}

inline void ExpectSameState(const SimState& a, const SimState& b) {
    auto same = [](const auto& x, const auto& y) { return SameRecord(x, y); };
    EXPECT_TRUE(SameRecord(a.systemInfo, b.systemInfo));
    EXPECT_TRUE(SameRecord(a.capacity, b.capacity));
    EXPECT_EQ(a.vpimAvailable, b.vpimAvailable);
    ExpectSameMap(a.mailboxes, b.mailboxes, [](const Mailbox& x, const Mailbox& y) {
        return SameRecord(x.record, y.record) && x.initialized == y.initialized &&
               x.passwordChanged == y.passwordChanged && x.systemMailbox == y.systemMailbox;
    });
    ExpectSameMap(a.groupLists, b.groupLists, [](const GroupList& x, const GroupList& y) {
        return SameRecord(x.header, y.header) && SameArrays(x.members, y.members);
    });
    ExpectSameMap(a.clid, b.clid, same);
    EXPECT_TRUE(SameArrays(a.greetingTables, b.greetingTables));
    EXPECT_EQ(a.ccrTrees, b.ccrTrees);
    EXPECT_TRUE(SameArrays(a.lines, b.lines));
    EXPECT_TRUE(SameRecord(a.attendant, b.attendant));
    EXPECT_TRUE(SameArrays(a.classesOfService, b.classesOfService));
    EXPECT_TRUE(SameRecord(a.fax, b.fax));
    EXPECT_TRUE(SameRecord(a.systemParameters, b.systemParameters));
    EXPECT_TRUE(SameRecord(a.operatorSettings, b.operatorSettings));
    EXPECT_TRUE(SameRecord(a.dialing, b.dialing));
    EXPECT_TRUE(SameRecord(a.voice, b.voice));
    EXPECT_TRUE(SameRecord(a.voiceDialing, b.voiceDialing));
    EXPECT_EQ(a.translations, b.translations);
    EXPECT_EQ(a.centrexRestrictions, b.centrexRestrictions);
    EXPECT_TRUE(SameRecord(a.blockingPeriods, b.blockingPeriods));
    EXPECT_TRUE(SameRecord(a.network, b.network));
    ExpectSameMap(a.sites, b.sites, same);
    EXPECT_EQ(a.reports, b.reports);
    ExpectSameMap(a.mailboxUsage, b.mailboxUsage, same);
    ExpectSameMap(a.portUsage, b.portUsage, same);
    EXPECT_EQ(a.aaPrompts, b.aaPrompts);
    EXPECT_EQ(a.srPrompts, b.srPrompts);
    EXPECT_EQ(a.nameRecordings, b.nameRecordings);
}

} // namespace zaxsim::test
