// The operator, fax and system parameter dialogs end to end: the real client
// stubs over loopback to the real zaxsim program, in both byte orders, and a
// restarted server reading back what they saved.

#include "DialogTestSupport.h"
#include "LoopbackDialogs.h"
#include "ZaxsimProcess.h"

#include "attendant/AttendantIds.h"
#include "attendant/FaxParametersDialog.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "ui/ResourceIds.h"

#include <filesystem>
#include <unistd.h>

using namespace attendant;
using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

class ParametersOverLoopback : public loopback::DialogsOverLoopback {
protected:
    ParametersOverLoopback() : DialogsOverLoopback("parameters") {}
};

TEST_F(ParametersOverLoopback, TheThreeDialogsSaveWhatARestartedServerReadsBack) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        const std::vector<std::string> args = Args(byteOrder);
        {
            ZaxsimProcess sim(args);
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);
            ASSERT_EQ(session.systemInfo.GroupListsEnabled, 1);

            SystemParametersDialog system(session);
            WhenModal<SystemParametersDialog>([](SystemParametersDialog& d) {
                ClickButton(d, SystemCtl::GroupListsDisable);
                ClickButton(d, SystemCtl::SecondLanguage);
                TypeInto(d.Control(SystemCtl::Channels), "3");
                ClickButton(d, ui::ControlId::Ok);
            });
            EXPECT_EQ(system.Run(), ui::ControlId::Ok);
            EXPECT_EQ(session.systemInfo.GroupListsEnabled, 0);

            FaxParametersDialog fax(session);
            WhenModal<FaxParametersDialog>([](FaxParametersDialog& d) {
                TypeInto(d.Control(FaxCtl::Name), "ORDERS_FAX");
                TypeInto(d.Control(FaxCtl::Interval), "45");
                ClickButton(d, ui::ControlId::Ok);
            });
            EXPECT_EQ(fax.Run(), ui::ControlId::Ok);

            OperatorSettingsDialog op(session);
            WhenModal<OperatorSettingsDialog>([](OperatorSettingsDialog& d) {
                ClickButton(d, OperatorCtl::BusinessOpenNo);
                TypeInto(d.Control(OperatorCtl::Extension), "2013");
                ClickButton(d, OperatorCtl::ResetPassword);
                ClickButton(d, ui::ControlId::Ok);
            });
            EXPECT_EQ(op.Run(), ui::ControlId::Ok);
            EXPECT_EQ(messages, QStringList{"Operator password successfully reset"});
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        // A restarted server serves the saved parameters from its file, and
        // a client logging in learns that group lists are now off.
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::SystemInfo info{};
        ASSERT_EQ(later.server->GetSystemInfo(info), 0);
        EXPECT_EQ(info.GroupListsEnabled, 0);
        zax::SystemParameters system{};
        ASSERT_EQ(later.server->GetSystemParameters(system), 0);
        EXPECT_EQ(system.GroupListLeadingDigit, 0);
        EXPECT_EQ(system.OutcallingChannels, 3);
        EXPECT_EQ(system.PrimaryLanguage, 2); // French chosen: first from now on
        EXPECT_EQ(system.SecondaryLanguage, 1);
        EXPECT_EQ(zax::GetText(system.VoiceMailVersion), "ZAX 4.3.0 (simulated)");
        zax::FaxParameters fax{};
        ASSERT_EQ(later.server->GetFaxParameters(fax), 0);
        EXPECT_EQ(zax::GetText(fax.SystemFaxName), "ORDERS_FAX");
        EXPECT_EQ(fax.Interval, 45);
        EXPECT_EQ(fax.Retries, 5);
        EXPECT_EQ(fax.Reserved0, 1); // the server's own fields came back as they were read
        EXPECT_EQ(fax.Reserved3, 1);
        zax::OperatorSettings op{};
        ASSERT_EQ(later.server->GetOperatorSettings(op), 0);
        EXPECT_EQ(op.BusinessOpen, 0);
        EXPECT_EQ(op.ResetOperatorPassword, 0);
        EXPECT_EQ(zax::GetText(op.AttendantExtension), "2013");
    }
}

} // namespace
