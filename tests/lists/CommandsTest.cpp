// The commands of the lists: each opens its window, and Group Lists and the
// Centrex restrictions are offered only when the server says so.

#include "lists/ListsCommands.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

TEST(ListsCommandsTest, GroupListsAndCentrexFollowTheSystemInformation) {
    ui::CommandTable commands;
    lists::RegisterCommands(commands);
    using namespace ui::CommandId;
    for (int id : {GroupLists, ClidTableAdmin, DialingTranslation, CentrexRestrictions}) {
        ASSERT_NE(commands.Find(id), nullptr) << id;
        EXPECT_TRUE(static_cast<bool>(commands.Find(id)->run)) << id;
    }
    for (const uint8_t groupLists : {uint8_t{0}, uint8_t{1}})
        for (const uint8_t centrex : {uint8_t{0}, uint8_t{1}}) {
            zax::SystemInfo si{};
            si.GroupListsEnabled = groupLists;
            si.CentrexAvailable = centrex;
            EXPECT_EQ(commands.Find(GroupLists)->IsAvailable(si), groupLists == 1);
            EXPECT_EQ(commands.Find(CentrexRestrictions)->IsAvailable(si), centrex == 1);
            EXPECT_TRUE(commands.Find(ClidTableAdmin)->IsAvailable(si));
            EXPECT_TRUE(commands.Find(DialingTranslation)->IsAvailable(si));
        }
}

} // namespace
