// General Auto Attendant Parameters and the line table against the
// in-process simulated server: the gate greeting checked whatever the mode,
// the line list and the row kept in place after a change, the single-line
// and range checks in their order, systems of 8 and 16 lines, and a
// transport failure at every call.

#include "ControlIdCheck.h"
#include "DialogTestSupport.h"

#include "attendant/AttendantIds.h"
#include "attendant/GeneralAaParametersDialog.h"
#include "attendant/LineAdministrationDialog.h"
#include "attendant/LineDialogs.h"

#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"
#include "ui/RowTableModel.h"

using namespace attendant;
using namespace dialogtest;

namespace {

class LinesTest : public DialogTest {
protected:
    struct LineWrite {
        int16_t line;
        uint8_t answer;
        int16_t table, rings;
        bool operator==(const LineWrite&) const = default;
    };
    std::vector<LineWrite> LineWrites() const {
        std::vector<LineWrite> out;
        for (const auto& c : sim->recorder().CallsOf(zax::Opnum::SetLine))
            out.push_back(
                {c.Arg<int16_t>(0), c.Arg<uint8_t>(1), c.Arg<int16_t>(2), c.Arg<int16_t>(3)});
        return out;
    }
    zax::LineEntry& Line(int n) { return sim->state().lines.at(static_cast<size_t>(n - 1)); }

    // A system of `count` lines, each answered with table 2 after 3 rings.
    void UseLines(int count) {
        zaxsim::SimState s = zaxsim::MakeDemoState();
        s.systemInfo.MaxLineNumber = static_cast<int16_t>(count);
        s.lines.assign(static_cast<size_t>(count), zax::LineEntry{1, 2, 3});
        Use(std::move(s));
    }

    // Runs the range dialog with these texts and presses OK; returns its result.
    int RunRange(const QString& from, const QString& to, bool answered, const QString& table,
                 const QString& rings) {
        LineRangeDialog dialog(session);
        WhenModal<LineRangeDialog>([&](LineRangeDialog& d) {
            TypeInto(d.Control(LineCtl::From), from);
            TypeInto(d.Control(LineCtl::To), to);
            ClickButton(d, answered ? LineCtl::AnswerYes : LineCtl::AnswerNo);
            if (answered) {
                TypeInto(d.Control(LineCtl::Table), table);
                TypeInto(d.Control(LineCtl::Rings), rings);
            }
            ClickButton(d, ui::ControlId::Ok);
        });
        return dialog.Run();
    }
};

TEST_F(LinesTest, TheGateGreetingIsCheckedWhateverTheModeAndEnabledOnlyForCustom) {
    sim->state().attendant = {1, static_cast<uint8_t>(zax::TouchtoneGate::Standard), 0};
    GeneralAaParametersDialog dialog(session);
    ASSERT_TRUE(dialog.Load());
    dialog.show();
    EXPECT_TRUE(dialog.IsChecked(AaCtl::ReturnToAa));
    EXPECT_TRUE(dialog.IsChecked(AaCtl::GateStandard));
    EXPECT_EQ(dialog.ControlText(AaCtl::GateGreeting), "0");
    EXPECT_FALSE(dialog.Control(AaCtl::GateGreeting)->isEnabled());

    ClickButton(dialog, ui::ControlId::Ok); // 0 from the server is refused under "Standard" too
    EXPECT_EQ(messages, QStringList{"Invalid Touchtone Gate greeting"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(CallsOf(zax::Opnum::SetAttendantParameters), 0u);

    ClickButton(dialog, AaCtl::GateCustom);
    EXPECT_TRUE(dialog.Control(AaCtl::GateGreeting)->isEnabled());
    for (const char* bad : {"41", "", "1a", "100"}) {
        messages.clear();
        TypeInto(dialog.Control(AaCtl::GateGreeting), bad);
        ClickButton(dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{"Invalid Touchtone Gate greeting"}) << bad;
    }
    messages.clear();
    TypeInto(dialog.Control(AaCtl::GateGreeting), "40");
    ClickButton(dialog, AaCtl::ReturnToAa);
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog.result(), ui::ControlId::Ok);
    const auto& stored = sim->state().attendant;
    EXPECT_EQ(std::vector<int>({stored.ReturnToAa, stored.GateMode, stored.GateGreeting}),
              std::vector<int>({0, 2, 40}));
}

TEST_F(LinesTest, ARefusedOrUnreadableParameterSetShowsTheCode) {
    sim->FailStatus(zax::Opnum::GetAttendantParameters, 31033, 1);
    EXPECT_EQ(GeneralAaParametersDialog(session).Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    messages.clear();
    sim->FailStatus(zax::Opnum::SetAttendantParameters, 31035);
    GeneralAaParametersDialog dialog(session);
    WhenModal<GeneralAaParametersDialog>(
        [](GeneralAaParametersDialog& d) { ClickButton(d, ui::ControlId::Ok); });
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel); // closes in every case
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31035"});
}

TEST_F(LinesTest, TheListShowsEveryLineInOrderWithTheFirstSelected) {
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.RowCount(), 8);
    EXPECT_EQ(Calls(), std::vector<uint16_t>{zax::Opnum::GetLines});
    const LineRow& first = *list.RowAt(0);
    EXPECT_EQ(first.line, "001");
    EXPECT_EQ(first.answer, "Yes");
    EXPECT_EQ(first.rings, "2");
    EXPECT_EQ(first.table, "1");
    EXPECT_EQ(list.RowAt(6)->answer, "No");
    EXPECT_EQ(list.RowAt(7)->line, "008");
    EXPECT_EQ(list.List()->SelectedRow(), 0);
    EXPECT_EQ(list.List()->CellText(0, 1), "Yes");
}

TEST_F(LinesTest, AChangedLineIsShownAgainInItsPlaceAndStaysSelected) {
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    list.show();
    list.List()->SortByColumn(2); // rows in another order than by line
    const int before = list.List()->RowModel()->FindKey("005");
    list.List()->SelectKey("005");
    WhenModal<LineSettingsDialog>([](LineSettingsDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Line Administration - 005");
        EXPECT_TRUE(d.IsChecked(LineCtl::AnswerYes));
        EXPECT_EQ(d.ControlText(LineCtl::Table), "4");
        EXPECT_EQ(d.ControlText(LineCtl::Rings), "0");
        TypeInto(d.Control(LineCtl::Rings), "12");
        TypeInto(d.Control(LineCtl::Table), "3");
        ClickButton(d, ui::ControlId::Ok);
    });
    list.OnChange();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(LineWrites(), (std::vector<LineWrite>{{5, 1, 3, 12}}));
    EXPECT_EQ(list.List()->RowModel()->FindKey("005"), before);
    EXPECT_EQ(list.List()->SelectedKey(), "005");
    const LineRow& row = *list.RowAt(before);
    EXPECT_EQ(row.rings, "12");
    EXPECT_EQ(row.table, "3");
}

TEST_F(LinesTest, TheSingleLineChecksTableThenRingsWhileTheLineIsAnswered) {
    const struct {
        const char* table;
        const char* rings;
        const char* message; // none: written
    } cases[] = {
        {"1", "0", nullptr},
        {"4", "12", nullptr},
        {"0", "3", "Invalid table number"},
        {"5", "3", "Invalid table number"},
        {"12", "3", "Invalid table number"},
        {"1", "13", "Invalid number of rings"},
        {"1", "", "Invalid number of rings"},
        {"x", "13", "Invalid table number"}, // the table first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "/" + c.rings);
        Use(zaxsim::MakeDemoState());
        messages.clear();
        LineSettingsDialog dialog(session, 2, "002\tYes\t\t2\t\t1");
        ASSERT_TRUE(dialog.Load());
        dialog.show();
        TypeInto(dialog.Control(LineCtl::Table), c.table);
        TypeInto(dialog.Control(LineCtl::Rings), c.rings);
        ClickButton(dialog, ui::ControlId::Ok);
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_EQ(Line(2).GreetingTable, std::stoi(c.table));
            EXPECT_EQ(Line(2).Rings, std::stoi(c.rings));
        } else {
            EXPECT_EQ(messages, QStringList{c.message});
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(CallsOf(zax::Opnum::SetLine), 0u);
        }
    }
}

TEST_F(LinesTest, AnUnansweredLineKeepsTheValuesReadWhenTheBoxesCannotBeRead) {
    LineSettingsDialog dialog(session, 3, "003\tYes\t\t3\t\t1");
    ASSERT_TRUE(dialog.Load());
    dialog.show();
    TypeInto(dialog.Control(LineCtl::Table), "9");
    TypeInto(dialog.Control(LineCtl::Rings), "abc");
    ClickButton(dialog, LineCtl::AnswerNo);
    EXPECT_FALSE(dialog.Control(LineCtl::Table)->isEnabled());
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(LineWrites(), (std::vector<LineWrite>{{3, 0, 1, 3}}));
    EXPECT_EQ(dialog.result(), ui::ControlId::Ok);
}

TEST_F(LinesTest, ARefusedLineIsReportedAndTheListStillRefreshesIt) {
    sim->FailStatus(zax::Opnum::SetLine, 31033);
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    list.show();
    list.List()->SelectRow(1);
    WhenModal<LineSettingsDialog>([](LineSettingsDialog& d) { ClickButton(d, ui::ControlId::Ok); });
    list.OnChange();
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(CallsOf(zax::Opnum::GetLine), 2u); // opening, then the refresh
    EXPECT_TRUE(list.isVisible());
}

TEST_F(LinesTest, ChangeWithoutASelectionSaysSo) {
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    list.List()->SelectRow(-1);
    list.OnChange();
    EXPECT_EQ(messages, QStringList{"You must first select an entry to change"});
    EXPECT_EQ(CallsOf(zax::Opnum::GetLine), 0u);
}

TEST_F(LinesTest, TheRangeIsCheckedBeforeAnythingIsWritten) {
    const struct {
        const char *from, *to, *table, *rings;
        const char* message;
    } cases[] = {
        {"", "3", "1", "1", "Invalid line from number"},
        {"0", "3", "1", "1", "Invalid line from number"},
        {"9", "9", "1", "1", "Invalid line from number"}, // 8 lines
        {"01", "3", "1", "1", "Invalid line from number"},
        {"2", "9", "1", "1", "Invalid line to number"},
        {"5", "4", "x", "x", "Line from number can not be greater than line to number"},
        {"4", "5", "0", "1", "Invalid table number"},
        {"4", "5", "1", "13", "Invalid number of rings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + "-" + c.to);
        messages.clear();
        EXPECT_EQ(RunRange(c.from, c.to, true, c.table, c.rings), ui::ControlId::Cancel);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(CallsOf(zax::Opnum::SetLine), 0u);
    }
}

TEST_F(LinesTest, ARangeWritesEachLineInOrderAndGoesOnPastARefusal) {
    EXPECT_EQ(RunRange("8", "8", true, "4", "0"), ui::ControlId::Ok);
    EXPECT_EQ(LineWrites(), (std::vector<LineWrite>{{8, 1, 4, 0}}));
    Use(zaxsim::MakeDemoState());
    sim->FailStatus(zax::Opnum::SetLine, 31033, 2);
    EXPECT_EQ(RunRange("2", "4", false, "", ""), ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(LineWrites(), (std::vector<LineWrite>{{2, 0, 1, 0}, {3, 0, 1, 0}, {4, 0, 1, 0}}));
    EXPECT_EQ(Line(2).AnswerFlag, 0);
    EXPECT_EQ(Line(3).AnswerFlag, 1); // refused
    EXPECT_EQ(Line(4).AnswerFlag, 0);
}

TEST_F(LinesTest, LineNumbersFollowTheSystemsLineCount) {
    const struct {
        int lines;
        const char* number;
        bool valid;
    } cases[] = {{8, "8", true},   {8, "9", false}, {8, "0", false},    {8, "08", false},
                 {16, "16", true}, {16, "9", true}, {16, "016", false}, {16, "17", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lines) + ": " + c.number);
        UseLines(c.lines);
        messages.clear();
        RunRange(c.number, c.number, true, "1", "1");
        if (c.valid) {
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_EQ(CallsOf(zax::Opnum::SetLine), 1u);
        } else {
            EXPECT_EQ(messages, QStringList{"Invalid line from number"});
        }
    }
    UseLines(16);
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    EXPECT_EQ(list.RowCount(), 16);
    EXPECT_EQ(list.RowAt(15)->line, "016");
}

TEST_F(LinesTest, ChangeManyRefreshesTheWholeRange) {
    LineAdministrationDialog list(session);
    ASSERT_TRUE(list.Load());
    list.show();
    WhenModal<LineRangeDialog>([](LineRangeDialog& d) {
        TypeInto(d.Control(LineCtl::From), "6");
        TypeInto(d.Control(LineCtl::To), "8");
        TypeInto(d.Control(LineCtl::Table), "2");
        TypeInto(d.Control(LineCtl::Rings), "7");
        ClickButton(d, ui::ControlId::Ok);
    });
    list.OnChangeMany();
    for (int i = 5; i < 8; ++i) {
        EXPECT_EQ(list.RowAt(i)->answer, "Yes");
        EXPECT_EQ(list.RowAt(i)->rings, "7");
    }
    EXPECT_EQ(list.List()->SelectedKey(), "008");
}

TEST_F(LinesTest, ATransportFailureAtEveryCallEndsTheProgram) {
    using zax::Opnum::GetLine;
    const auto changeFirst = [](zax::Session& s) {
        LineAdministrationDialog list(s);
        WhenModal<LineAdministrationDialog>([](LineAdministrationDialog& l) {
            WhenModal<LineSettingsDialog>(
                [](LineSettingsDialog& d) { ClickButton(d, ui::ControlId::Ok); });
            l.OnChange();
        });
        return list.Run();
    };
    const struct {
        uint16_t opnum;
        std::function<int(zax::Session&)> scenario;
    } cases[] = {
        {zax::Opnum::GetAttendantParameters,
         [](zax::Session& s) { return GeneralAaParametersDialog(s).Run(); }},
        {zax::Opnum::SetAttendantParameters,
         [](zax::Session& s) {
             GeneralAaParametersDialog d(s);
             WhenModal<GeneralAaParametersDialog>(
                 [](GeneralAaParametersDialog& w) { ClickButton(w, ui::ControlId::Ok); });
             return d.Run();
         }},
        {zax::Opnum::GetLines, [](zax::Session& s) { return LineAdministrationDialog(s).Run(); }},
        {zax::Opnum::SetLine, changeFirst},
        {zax::Opnum::SetLine,
         [](zax::Session& s) {
             LineRangeDialog d(s);
             WhenModal<LineRangeDialog>([](LineRangeDialog& w) {
                 TypeInto(w.Control(LineCtl::From), "1");
                 TypeInto(w.Control(LineCtl::To), "3");
                 TypeInto(w.Control(LineCtl::Table), "1");
                 TypeInto(w.Control(LineCtl::Rings), "1");
                 ClickButton(w, ui::ControlId::Ok);
             });
             return d.Run();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opnum);
        ExpectTransportFailureEndsTheProgram(c.opnum, c.scenario);
    }
    // The line dialog's read, and the list's refresh after a change.
    ExpectTransportFailureEndsTheProgram(GetLine, changeFirst);
}

TEST_F(LinesTest, FormsAndEveryModuleAgreeOnTheControls) {
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> all;
        all.push_back({ui::DialogId::GeneralAaParameters,
                       std::make_unique<GeneralAaParametersDialog>(session)});
        all.push_back({ui::DialogId::LineAdministration,
                       std::make_unique<LineAdministrationDialog>(session)});
        all.push_back({ui::DialogId::LineSettings,
                       std::make_unique<LineSettingsDialog>(session, 1, QString("001"))});
        all.push_back({ui::DialogId::LineRange, std::make_unique<LineRangeDialog>(session)});
        return all;
    });
}

} // namespace
