// The greeting-table sheet as a whole: where it opens, when it writes, what
// a refused read or write leaves behind, and the texts of its pages in every
// language module.

#include "GreetingTestSupport.h"

#include "ui/LanguageModule.h"

#include <QGroupBox>
#include <QLabel>

#include <set>

using namespace greetingtest;
using namespace greetings;

namespace {

using GreetingSheetTest = GreetingTest;

TEST_F(GreetingSheetTest, SpeechRecCommandsOpenTheTableOnItsSpeechRecPage) {
    bool seen = false;
    RunSheet(
        3,
        [&](CGtgTable& sheet) {
            seen = true;
            EXPECT_EQ(sheet.windowTitle(), "Greeting Table Setup - 3");
            EXPECT_EQ(sheet.ActiveIndex(), SpeechRec);
            // Only the page in front has read the record.
            EXPECT_FALSE(sheet.Page(Numbers)->WasActivated());
            EXPECT_TRUE(sheet.Page(SpeechRec)->WasActivated());
        },
        CGtgTable::SpeechRecPage);
    EXPECT_TRUE(seen);

    RunSheet(2, [&](CGtgTable& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Greeting Table Setup - 2");
        EXPECT_EQ(sheet.ActiveIndex(), Numbers);
    });
    const auto reads = sim->recorder().CallsOf(zax::Opnum::GetGreetingTable);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].Arg<zax::GreetingTableRecord>(0).TableNumber, 3);
    EXPECT_EQ(reads[1].Arg<zax::GreetingTableRecord>(0).TableNumber, 2);
}

TEST_F(GreetingSheetTest, OkAfterOnlyLookingWritesNothing) {
    const int result = RunSheet(1, [](CGtgTable& sheet) {
        for (int tab : {Hours, Answering, SpeechRec, Numbers})
            ShowTab(sheet, tab);
        ChooseDay(sheet, 5); // moving between days is no change either
        ClickButton(sheet, ui::ControlId::Ok);
    });
    EXPECT_EQ(result, ui::ControlId::Ok);
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(messages.isEmpty());
}

// A page never shown goes back exactly as it was read, its server-only
// bytes included.
TEST_F(GreetingSheetTest, OneChangeWritesTheWholeTableAsRead) {
    auto& held = sim->state().greetingTables[3];
    held.Reserved22 = 0x5a;
    held.Hours[2][1].Reserved0 = 77;
    RunSheet(4, [](CGtgTable& sheet) {
        Type(sheet, Numbers, NumbersCtl::Evening, "39");
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    const zax::GreetingTableRecord w = Writes()[0];
    EXPECT_EQ(w.EveningGreeting, 39);
    EXPECT_EQ(w.Reserved22, 0x5a);
    EXPECT_EQ(w.Hours[2][1].Reserved0, 77);
    EXPECT_EQ(w.Hours[0][0].Hour, held.Hours[0][0].Hour);
    EXPECT_EQ(zax::GetText(w.AttendantExtension), "2004");
    EXPECT_EQ(sim->state().greetingTables[3].EveningGreeting, 39);
}

TEST_F(GreetingSheetTest, ApplySavesOnceAndOnlyWhatChanged) {
    RunSheet(2, [this](CGtgTable& sheet) {
        Type(sheet, Numbers, NumbersCtl::Morning, "12");
        ClickButton(sheet, ui::ControlId::Apply);
        EXPECT_EQ(Writes().size(), 1u);
        ClickButton(sheet, ui::ControlId::Apply); // nothing new
        ClickButton(sheet, ui::ControlId::Ok);
    });
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(sim->state().greetingTables[1].MorningGreeting, 12);
}

TEST_F(GreetingSheetTest, AReadRefusedWithAStatusOpensNothing) {
    sim->FailStatus(zax::Opnum::GetGreetingTable, 31012);
    bool shown = false;
    EXPECT_EQ(RunSheet(1, [&](CGtgTable&) { shown = true; }), ui::ControlId::Cancel);
    QApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31012"});
}

// A table the server refuses stays on screen with the administrator's
// changes, rather than closing and losing them.
TEST_F(GreetingSheetTest, ARefusedSaveKeepsTheSheetAndItsChanges) {
    const struct {
        uint32_t status;
        const char* message;
    } cases[] = {
        {31018, "Invalid CCR tree number"},
        {31033, "Server Error, rc = 31033"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        Use(zaxsim::MakeDemoState());
        sim->FailStatus(zax::Opnum::SetGreetingTable, c.status, 1);
        messages.clear();
        const int result = RunSheet(3, [&](CGtgTable& sheet) {
            Click(sheet, Answering, AnswerCtl::CcrTree2);
            ClickButton(sheet, ui::ControlId::Ok);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(messages, QStringList{c.message});
            ClickButton(sheet, ui::ControlId::Ok); // the second try goes through
        });
        EXPECT_EQ(result, ui::ControlId::Ok);
        EXPECT_EQ(Writes().size(), 2u);
        EXPECT_EQ(sim->state().greetingTables[2].CcrTree, 2);
    }
}

TEST_F(GreetingSheetTest, ATransportFailureEndsTheProgram) {
    ExpectTransportFailureEndsTheProgram(zax::Opnum::GetGreetingTable, [](zax::Session& s) {
        CGtgTable sheet(s, 1, CGtgTable::FirstPage, {});
        return sheet.Run();
    });
    ExpectTransportFailureEndsTheProgram(zax::Opnum::SetGreetingTable, [](zax::Session& s) {
        CGtgTable sheet(s, 1, CGtgTable::FirstPage, {});
        WhenModal<CGtgTable>([](CGtgTable& w) {
            Type(w, Numbers, NumbersCtl::Morning, "9");
            ClickButton(w, ui::ControlId::Ok);
        });
        return sheet.Run();
    });
}

// Every control that shows a text has one in every module, every text the
// modules hold names a control of the form, and no module leaves a day or
// the caption without a text.
TEST_F(GreetingSheetTest, FormsAndEveryModuleAgreeOnTheControls) {
    for (const char* module : {"", "frenchca.dll", "spanish.dll", "englishuk.dll"}) {
        SCOPED_TRACE(module);
        if (*module != '\0') {
            ASSERT_TRUE(ui::LanguageModule::Load(module));
        }
        CGtgTable sheet(session, 1, CGtgTable::FirstPage, {});
        WhenModal<CGtgTable>([module](CGtgTable& w) {
            for (int tab = 0; tab < CGtgTable::kPageCount; ++tab) {
                ShowTab(w, tab);
                ui::RecordPage* page = w.Page(tab);
                std::set<int> ids;
                for (const QWidget* c : page->findChildren<QWidget*>()) {
                    const QVariant id = c->property(ui::kCtrlIdProperty);
                    if (!id.isValid())
                        continue;
                    ids.insert(id.toInt());
                    const bool showsText = qobject_cast<const QLabel*>(c) != nullptr ||
                                           qobject_cast<const QAbstractButton*>(c) != nullptr ||
                                           qobject_cast<const QGroupBox*>(c) != nullptr;
                    if (showsText) {
                        EXPECT_TRUE(ui::LanguageModule::HasDialogText(page->TemplateId(),
                                                                      id.toInt()))
                            << module << ": no text for " << id.toInt();
                    }
                }
                for (const auto& [key, text] : ui::LanguageModule::Active().dialogTexts) {
                    if (key.first == page->TemplateId() && key.second != ui::ControlId::Caption) {
                        EXPECT_TRUE(ids.count(key.second)) << "stray text " << key.second;
                    }
                }
            }
            auto* days = qobject_cast<QComboBox*>(Ctl(w, Hours, HoursCtl::Day));
            for (int d = 0; d < days->count(); ++d)
                EXPECT_FALSE(days->itemText(d).isEmpty());
            EXPECT_EQ(days->count(), 7);
            EXPECT_TRUE(w.windowTitle().endsWith(" - 1"));
            EXPECT_GT(w.windowTitle().size(), 4);
        });
        sheet.Run();
    }
    ui::LanguageModule::Release();
}

} // namespace
