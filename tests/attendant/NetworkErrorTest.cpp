// A transport failure in any server call of the operator, fax and system
// parameter dialogs ends the program with the network error message, and
// leaves no dialog running.

#include "DialogTestSupport.h"

#include "attendant/AttendantIds.h"
#include "attendant/FaxParametersDialog.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"

#include "ui/ResourceIds.h"

using namespace attendant;
using namespace dialogtest;

namespace {

using NetworkErrorTest = DialogTest;

TEST_F(NetworkErrorTest, EveryProcedureOfTheParameterDialogsEndsTheProgram) {
    struct Case {
        uint16_t opnum;
        const char* what;
        std::function<int(zax::Session&)> scenario; // returns the dialog's result
    };
    const Case cases[] = {
        {zax::Opnum::GetOperatorSettings, "operator settings: read",
         [](zax::Session& s) { return OperatorSettingsDialog(s).Run(); }},
        {zax::Opnum::SetOperatorSettings, "operator settings: write",
         RunAndConfirm<OperatorSettingsDialog>},
        {zax::Opnum::GetFaxParameters, "fax parameters: read",
         [](zax::Session& s) { return FaxParametersDialog(s).Run(); }},
        {zax::Opnum::SetFaxParameters, "fax parameters: write", RunAndConfirm<FaxParametersDialog>},
        {zax::Opnum::GetSystemParameters, "system parameters: read",
         [](zax::Session& s) { return SystemParametersDialog(s).Run(); }},
        {zax::Opnum::SetSystemParameters, "system parameters: write",
         RunAndConfirm<SystemParametersDialog>},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectTransportFailureEndsTheProgram(c.opnum, c.scenario);
        EXPECT_EQ(session.systemInfo.GroupListsEnabled, 1); // nothing was saved
    }
}

} // namespace
