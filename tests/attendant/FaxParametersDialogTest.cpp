// Fax Parameters against the in-process simulated server: the values as
// read, each check in its order, the server's own fields sent back as read,
// and a refused write keeping the dialog open.

#include "DialogTestSupport.h"

#include "attendant/AttendantIds.h"
#include "attendant/FaxParametersDialog.h"

#include "ui/ResourceIds.h"

using namespace attendant;
using namespace attendant::FaxCtl;
using namespace dialogtest;

namespace {

class FaxTest : public DialogTest {
protected:
    std::unique_ptr<FaxParametersDialog> Open() {
        auto dialog = std::make_unique<FaxParametersDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    std::vector<zax::FaxParameters> Writes() const {
        std::vector<zax::FaxParameters> out;
        for (const auto& call : sim->recorder().CallsOf(zax::Opnum::SetFaxParameters))
            out.push_back(call.Arg<zax::FaxParameters>(0));
        return out;
    }
};

TEST_F(FaxTest, ShowsTheValuesAsRead) {
    auto dialog = Open();
    EXPECT_EQ(dialog->ControlText(Extension), "3200");
    EXPECT_EQ(dialog->ControlText(Name), "MAIN_OFFICE_FAX");
    EXPECT_EQ(dialog->ControlText(Retries), "5");
    EXPECT_EQ(dialog->ControlText(Interval), "10");
}

TEST_F(FaxTest, EachFieldIsCheckedInOrder) {
    const struct {
        int control;
        const char* text;
        const char* message;
    } cases[] = {
        {Extension, "320", "Invalid extension"},
        {Extension, "32001", "Invalid extension"},
        {Extension, "32O0", "Invalid extension"},
        {Name, "MAIN OFFICE", "Invalid name"}, // a space is not a name character
        {Name, "ABCDEFGHIJKLMNOPQ", "Invalid name"},
        {Name, "FAX.MAIN", "Invalid name"},
        {Retries, "", "Invalid retries value"},
        {Retries, "0", "Invalid retries value"},
        {Retries, "100", "Invalid retries value"},
        {Retries, "-1", "Invalid retries value"},
        {Interval, "61", "Invalid interval value"},
        {Interval, "0", "Invalid interval value"},
        {Interval, "1 ", "Invalid interval value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message) + ": '" + c.text + "'");
        messages.clear();
        auto dialog = Open();
        // Every later field is wrong too: only the first in order is reported.
        for (const auto& later : {Name, Retries, Interval})
            if (later > c.control)
                TypeInto(dialog->Control(later), "x x");
        TypeInto(dialog->Control(c.control), c.text);
        dialog->Control(c.control == Extension ? Name : Extension)->setFocus();
        ClickButton(*dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->Control(c.control));
        EXPECT_EQ(CallsOf(zax::Opnum::SetFaxParameters), 0u);
    }
}

TEST_F(FaxTest, EmptyExtensionAndNameAreSentEmptyWithTheServersFieldsAsRead) {
    sim->state().fax.Reserved0 = -2;
    sim->state().fax.Reserved2 = 7;
    sim->state().fax.Reserved3 = 0xFF;
    auto dialog = Open();
    TypeInto(dialog->Control(Extension), "");
    TypeInto(dialog->Control(Name), "");
    TypeInto(dialog->Control(Retries), "99");
    TypeInto(dialog->Control(Interval), "1");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(dialog->result(), ui::ControlId::Ok);
    ASSERT_EQ(Writes().size(), 1u);
    const zax::FaxParameters sent = Writes()[0];
    EXPECT_EQ(sent.Reserved0, -2);
    EXPECT_EQ(sent.Reserved2, 7);
    EXPECT_EQ(sent.Reserved3, 0xFF);
    EXPECT_EQ(zax::GetText(sent.SystemFaxExtension), "");
    EXPECT_EQ(zax::GetText(sent.SystemFaxName), "");
    EXPECT_EQ(sent.Retries, 99);
    EXPECT_EQ(sent.Interval, 1);
    EXPECT_EQ(sim->state().fax.Retries, 99);
}

TEST_F(FaxTest, ARefusedWriteKeepsTheDialogOpenForAnotherTry) {
    sim->FailStatus(zax::Opnum::SetFaxParameters, 31033, 1);
    auto dialog = Open();
    TypeInto(dialog->Control(Name), "O'NEIL,FAX-2");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_TRUE(dialog->isVisible());
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(zax::GetText(sim->state().fax.SystemFaxName), "O'NEIL,FAX-2");
}

TEST_F(FaxTest, AnUnreadableRecordIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetFaxParameters, 31012);
    FaxParametersDialog dialog(session);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31012"});
}

} // namespace
