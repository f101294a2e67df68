// The dialing translation table, its entry dialog and its parameters
// against the in-process server: the "*" of an empty value, which calls a
// change makes, the old pair put back when a changed input is refused, and
// the checks of each field.

#include "ListsTestSupport.h"

#include "lists/DialingParametersDialog.h"
#include "lists/ListsIds.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationListDialog.h"

#include "server/ServerStatuses.h"
#include "ui/ResourceIds.h"

using namespace dialogtest;
using namespace liststest;
using namespace lists;
using namespace lists::TranslationCtl;

namespace {

class TranslationTest : public DialogTest {
protected:
    void ChangeThroughList(TranslationListDialog& list, const std::string& key,
                           const QString& input, const QString& output) {
        Select(list, key);
        WhenModal<TranslationEntryDialog>([=](TranslationEntryDialog& d) {
            TypeInto(d.Control(Input), input);
            TypeInto(d.Control(Output), output);
            ClickButton(d, ui::ControlId::Ok);
        });
        list.OnChange();
    }
    std::vector<uint16_t> WriteCalls() const {
        std::vector<uint16_t> out;
        for (uint16_t op : Calls())
            if (op == zax::Opnum::AddTranslation || op == zax::Opnum::ChangeTranslation ||
                op == zax::Opnum::DeleteTranslation)
                out.push_back(op);
        return out;
    }
};

TEST_F(TranslationTest, AnEmptyValueIsListedAsAStarAndEditedAsEmpty) {
    sim->state().translations["7"] = "";
    auto list = OpenList<TranslationListDialog>(session);
    EXPECT_EQ(list->RowAt(list->FindRow("7")).cells, (std::vector<std::string>{"7", "*"}));
    EXPECT_EQ(list->RowAt(list->FindRow("*")).cells, (std::vector<std::string>{"*", "9"}));
    Select(*list, "7");
    WhenModal<TranslationEntryDialog>([](TranslationEntryDialog& d) {
        EXPECT_EQ(d.ControlText(Input), "7");
        EXPECT_EQ(d.ControlText(Output), "");
    });
    list->OnChange();
    // Deleting the pair with the empty input sends both values as they are.
    Select(*list, "*");
    list->OnDelete();
    EXPECT_EQ(messages.back(), "Delete *");
    const auto sent = sim->recorder().CallsOf(zax::Opnum::DeleteTranslation).back();
    EXPECT_EQ(sent.Arg<zax::Chars<15>>(0)[0], '\0');
    EXPECT_EQ(std::string(sent.Arg<zax::Chars<16>>(1).data()), "9");
    EXPECT_FALSE(sim->state().translations.contains(""));
}

TEST_F(TranslationTest, ChangingTheOutputIsOneCallAndTheInputADeleteAndAnAdd) {
    auto list = OpenList<TranslationListDialog>(session);
    sim->recorder().Clear();
    ChangeThroughList(*list, "1800", "1800", "811800");
    EXPECT_EQ(WriteCalls(), std::vector<uint16_t>{zax::Opnum::ChangeTranslation});
    EXPECT_EQ(sim->state().translations.at("1800"), "811800");

    sim->recorder().Clear();
    ChangeThroughList(*list, "1800", "1801", "811800");
    EXPECT_EQ(WriteCalls(),
              (std::vector<uint16_t>{zax::Opnum::DeleteTranslation, zax::Opnum::AddTranslation}));
    EXPECT_FALSE(sim->state().translations.contains("1800"));
    EXPECT_EQ(sim->state().translations.at("1801"), "811800");
    EXPECT_EQ(list->FindRow("1800"), -1);
    EXPECT_EQ(SelectedKey(*list), "1801");
}

TEST_F(TranslationTest, ARefusedAddAfterTheDeletePutsTheOldPairBack) {
    auto list = OpenList<TranslationListDialog>(session);
    const auto before = sim->state().translations;
    // "1888" exists: the add of the changed input is refused.
    Select(*list, "1800");
    WhenModal<TranslationEntryDialog>([](TranslationEntryDialog& d) {
        TypeInto(d.Control(Input), "1888");
        ClickButton(d, ui::ControlId::Ok);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ControlText(Input), "1888");
    });
    list->OnChange();
    EXPECT_EQ(messages, QStringList{"Input value already exists"});
    EXPECT_EQ(sim->state().translations, before);
    EXPECT_NE(list->FindRow("1800"), -1);

    // Any other refusal of the add is shown as it is, and the pair comes back too.
    messages.clear();
    // The add after this delete is the next one.
    const auto next = static_cast<uint32_t>(CallsOf(zax::Opnum::AddTranslation) + 1);
    sim->FailStatus(zax::Opnum::AddTranslation, 31033, next);
    ChangeThroughList(*list, "1800", "1802", "91800");
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(sim->state().translations, before);
}

TEST_F(TranslationTest, EachValueIsCheckedInOrder) {
    struct Case {
        QString input;
        QString output;
        const char* message; // empty: added
    } cases[] = {
        {"123456789012345", "1", "Invalid input number"},
        {"12a", "1", "Invalid input number"},
        {"12", "1-2", "Invalid output number"},
        {"12", "1234567890123456", "Invalid output number"},
        {"", "", "Cannot leave both fields blank"},
        {"1613", "1", "Input value already exists"},
        {"12345678901234", "123456789012345", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        TranslationEntryDialog d(session, ui::EntryMode::Add, {});
        WhenModal<TranslationEntryDialog>([&](TranslationEntryDialog& w) {
            TypeInto(w.Control(Input), c.input);
            TypeInto(w.Control(Output), c.output);
            ClickButton(w, ui::ControlId::Ok);
        });
        const int result = d.Run();
        if (*c.message == '\0') {
            EXPECT_EQ(result, ui::ControlId::Ok);
            EXPECT_EQ(sim->state().translations.at("12345678901234"), "123456789012345");
        } else {
            EXPECT_EQ(result, ui::ControlId::Cancel);
            EXPECT_EQ(messages, QStringList{c.message});
        }
    }
}

TEST_F(TranslationTest, ParametersMayAllBeEmptyButNotTooLong) {
    using namespace DialingCtl;
    struct Case {
        int control;
        QString text;
        const char* message;
    } cases[] = {
        {LongDistance, "123", "Invalid long distance code"},
        {AreaCode, "1234567", "Invalid area code"},
        {AreaCode, "61x", "Invalid area code"},
        {Access, "9 ", "Invalid access code"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        DialingParametersDialog d(session);
        WhenModal<DialingParametersDialog>([&](DialingParametersDialog& w) {
            TypeInto(w.Control(c.control), c.text);
            ClickButton(w, ui::ControlId::Ok);
        });
        EXPECT_EQ(d.Run(), ui::ControlId::Cancel);
        EXPECT_EQ(messages, QStringList{c.message});
    }
    DialingParametersDialog d(session);
    WhenModal<DialingParametersDialog>([](DialingParametersDialog& w) {
        EXPECT_TRUE(w.IsChecked(ReplyYes));
        for (int box : {LongDistance, AreaCode, Access})
            TypeInto(w.Control(box), "");
        ClickButton(w, ReplyNo);
        ClickButton(w, ui::ControlId::Ok);
    });
    EXPECT_EQ(d.Run(), ui::ControlId::Ok);
    const zax::DialingParameters& p = sim->state().dialing;
    EXPECT_EQ(zax::GetText(p.LongDistanceAccessCode) + zax::GetText(p.AreaCode) +
                  zax::GetText(p.AccessCode),
              "");
    EXPECT_EQ(p.ReplyTranslate, 0);
}

} // namespace
