// The Centrex transfer restrictions: no call for an unchanged value, a
// change as a delete and an add with the old value put back when the add is
// refused, and the digit rule.

#include "ListsTestSupport.h"

#include "lists/CentrexEntryDialog.h"
#include "lists/CentrexListDialog.h"
#include "lists/ListsIds.h"

#include "ui/ResourceIds.h"

using namespace dialogtest;
using namespace liststest;
using namespace lists;
using namespace lists::CentrexCtl;

namespace {

class CentrexTest : public DialogTest {
protected:
    void ChangeThroughList(CentrexListDialog& list, const std::string& key, const QString& to) {
        Select(list, key);
        WhenModal<CentrexEntryDialog>([=](CentrexEntryDialog& d) {
            TypeInto(d.Control(Restriction), to);
            ClickButton(d, ui::ControlId::Ok);
        });
        list.OnChange();
    }
};

TEST_F(CentrexTest, AnUnchangedRestrictionMakesNoCall) {
    auto list = OpenList<CentrexListDialog>(session);
    sim->recorder().Clear();
    ChangeThroughList(*list, "976", "976");
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(SelectedKey(*list), "976");
}

TEST_F(CentrexTest, AChangeIsADeleteAndAnAddAndARefusedAddPutsTheOldBack) {
    auto list = OpenList<CentrexListDialog>(session);
    sim->recorder().Clear();
    ChangeThroughList(*list, "976", "1976");
    EXPECT_EQ(Calls(), (std::vector<uint16_t>{zax::Opnum::DeleteCentrexRestriction,
                                              zax::Opnum::AddCentrexRestriction}));
    EXPECT_EQ(Keys(*list), (std::vector<std::string>{"011", "1900", "1976", "900"}));
    EXPECT_EQ(SelectedKey(*list), "1976");

    const auto before = sim->state().centrexRestrictions;
    ChangeThroughList(*list, "1976", "900"); // exists: the add is refused
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31028"});
    EXPECT_EQ(sim->state().centrexRestrictions, before);
    EXPECT_NE(list->FindRow("1976"), -1);
}

TEST_F(CentrexTest, ARestrictionIsOneToFourteenDigits) {
    for (const QString& text : {QString(), QString("123456789012345"), QString("12 3")}) {
        SCOPED_TRACE(text.toStdString());
        messages.clear();
        CentrexEntryDialog d(session, ui::EntryMode::Add, {});
        WhenModal<CentrexEntryDialog>([&](CentrexEntryDialog& w) {
            TypeInto(w.Control(Restriction), text);
            ClickButton(w, ui::ControlId::Ok);
        });
        EXPECT_EQ(d.Run(), ui::ControlId::Cancel);
        EXPECT_EQ(messages, QStringList{"Invalid restriction"});
    }
    auto list = OpenList<CentrexListDialog>(session);
    WhenModal<CentrexEntryDialog>([](CentrexEntryDialog& w) {
        TypeInto(w.Control(Restriction), "12345678901234");
        ClickButton(w, ui::ControlId::Ok);
    });
    list->OnAdd();
    EXPECT_EQ(SelectedKey(*list), "12345678901234");
    EXPECT_TRUE(sim->state().centrexRestrictions.contains("12345678901234"));
}

} // namespace
