// Operator Settings against the in-process simulated server: the pairs and
// the extension as read, the extension rule, the reset request, and a
// refused write ending the dialog.

#include "DialogTestSupport.h"

#include "attendant/AttendantIds.h"
#include "attendant/OperatorSettingsDialog.h"

#include "ui/ResourceIds.h"

using namespace attendant;
using namespace attendant::OperatorCtl;
using namespace dialogtest;

namespace {

class OperatorTest : public DialogTest {
protected:
    std::unique_ptr<OperatorSettingsDialog> Open() {
        auto dialog = std::make_unique<OperatorSettingsDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    std::vector<zax::OperatorSettings> Writes() const {
        std::vector<zax::OperatorSettings> out;
        for (const auto& call : sim->recorder().CallsOf(zax::Opnum::SetOperatorSettings))
            out.push_back(call.Arg<zax::OperatorSettings>(0));
        return out;
    }
    zax::OperatorSettings& Stored() { return sim->state().operatorSettings; }
};

TEST_F(OperatorTest, ShowsEachPairFromItsByteAndTheResetBoxClear) {
    Stored() = {0, 2, 1, 1, {}}; // any nonzero byte is "Yes"; a reset flag read back is ignored
    zax::SetText(Stored().AttendantExtension, "2001");
    auto dialog = Open();
    EXPECT_TRUE(dialog->IsChecked(AvailableNo));
    EXPECT_TRUE(dialog->IsChecked(BusinessOpenYes));
    EXPECT_TRUE(dialog->IsChecked(AnswerLinesYes));
    EXPECT_FALSE(dialog->IsChecked(ResetPassword));
    EXPECT_EQ(dialog->ControlText(Extension), "2001");
}

TEST_F(OperatorTest, OkSendsTheChoicesAndStoresThem) {
    auto dialog = Open();
    ClickButton(*dialog, AvailableNo);
    ClickButton(*dialog, AnswerLinesNo);
    TypeInto(dialog->Control(Extension), "2002");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(dialog->result(), ui::ControlId::Ok);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].AttendantAvailable, 0);
    EXPECT_EQ(writes[0].BusinessOpen, 1);
    EXPECT_EQ(writes[0].AnswerLines, 0);
    EXPECT_EQ(writes[0].ResetOperatorPassword, 0); // unchecked: 0, and no confirmation
    EXPECT_EQ(zax::GetText(Stored().AttendantExtension), "2002");
    EXPECT_EQ(Stored().AttendantAvailable, 0);
}

TEST_F(OperatorTest, TheExtensionIsEmptyOrExactlyTheSystemsLength) {
    const struct {
        const char* text;
        bool accepted;
    } cases[] = {
        {"", true},       {"2013", true},  {"201", false},
        {"20133", false}, {"20a3", false}, {" 201", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Use(zaxsim::MakeDemoState());
        messages.clear();
        auto dialog = Open();
        TypeInto(dialog->Control(Extension), c.text);
        dialog->Control(ResetPassword)->setFocus();
        ClickButton(*dialog, ui::ControlId::Ok);
        if (c.accepted) {
            EXPECT_TRUE(messages.isEmpty());
            ASSERT_EQ(Writes().size(), 1u);
            EXPECT_EQ(zax::GetText(Writes()[0].AttendantExtension), c.text);
        } else {
            EXPECT_EQ(messages, QStringList{"Invalid attendant extension"});
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), dialog->Control(Extension));
            EXPECT_EQ(CallsOf(zax::Opnum::SetOperatorSettings), 0u);
        }
    }
}

TEST_F(OperatorTest, ACheckedResetIsSentAndConfirmedButNeverStored) {
    auto dialog = Open();
    ClickButton(*dialog, ResetPassword);
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Operator password successfully reset"});
    ASSERT_EQ(Writes().size(), 1u);
    EXPECT_EQ(Writes()[0].ResetOperatorPassword, 1);
    zax::OperatorSettings again{};
    ASSERT_EQ(sim->server().GetOperatorSettings(again), 0);
    EXPECT_EQ(again.ResetOperatorPassword, 0);
}

TEST_F(OperatorTest, ARefusedWriteShowsTheCodeAndEndsTheDialogUnconfirmed) {
    sim->FailStatus(zax::Opnum::SetOperatorSettings, 31033);
    auto dialog = Open();
    ClickButton(*dialog, ResetPassword);
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), ui::ControlId::Cancel);
}

TEST_F(OperatorTest, AnUnreadableRecordIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetOperatorSettings, 31033);
    OperatorSettingsDialog dialog(session);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel); // would hang if it were shown
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
}

} // namespace
