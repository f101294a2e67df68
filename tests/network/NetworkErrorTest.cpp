// A transport failure in any server call of the networking dialogs ends the
// program with the network error message, and leaves no dialog running.

#include "DialogTestSupport.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisNetworkingDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/NetworkIds.h"
#include "network/SiteAdministrationDialog.h"

#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

using namespace network;
using namespace dialogtest;

namespace {

using NetworkErrorTest = DialogTest;

// Opens the site list, selects `prefix` and runs `act` on it; the list's
// result once it has ended.
int OnSite(zax::Session& session, const char* prefix, void (SiteAdministrationDialog::*act)()) {
    SiteAdministrationDialog dialog(session);
    WhenModal<SiteAdministrationDialog>([prefix, act](SiteAdministrationDialog& d) {
        d.List()->SelectKey(prefix);
        (d.*act)();
    });
    return dialog.Run();
}

TEST_F(NetworkErrorTest, EveryProcedureOfTheNetworkingDialogsEndsTheProgram) {
    struct Case {
        uint16_t opnum;
        const char* what;
        std::function<int(zax::Session&)> scenario; // returns the dialog's result
    };
    const Case cases[] = {
        {zax::Opnum::GetGeneralNetworking, "general: read",
         [](zax::Session& s) { return GeneralNetworkingDialog(s).Run(); }},
        {zax::Opnum::SetGeneralNetworking, "general: write",
         RunAndConfirm<GeneralNetworkingDialog>},
        {zax::Opnum::GetAmisNetworking, "AMIS: read",
         [](zax::Session& s) { return AmisNetworkingDialog(s).Run(); }},
        {zax::Opnum::SetAmisNetworking, "AMIS: write", RunAndConfirm<AmisNetworkingDialog>},
        {zax::Opnum::GetDigitalNetworking, "digital: read",
         [](zax::Session& s) { return DigitalNetworkingDialog(s).Run(); }},
        {zax::Opnum::SetDigitalNetworking, "digital: write",
         RunAndConfirm<DigitalNetworkingDialog>},
        {zax::Opnum::GetBlockingPeriods, "blocking periods: read",
         [](zax::Session& s) { return BlockingPeriodsDialog(s).Run(); }},
        {zax::Opnum::SetBlockingPeriods, "blocking periods: write",
         RunAndConfirm<BlockingPeriodsDialog>},
        {zax::Opnum::OpenSiteList, "site list: open",
         [](zax::Session& s) { return SiteAdministrationDialog(s).Run(); }},
        {zax::Opnum::GetNextSite, "site list: next",
         [](zax::Session& s) { return SiteAdministrationDialog(s).Run(); }},
        {zax::Opnum::GetSite, "change: read the site",
         [](zax::Session& s) { return OnSite(s, "71", &SiteAdministrationDialog::OnChange); }},
        {zax::Opnum::DeleteSite, "delete",
         [](zax::Session& s) { return OnSite(s, "74", &SiteAdministrationDialog::OnDelete); }},
        {zax::Opnum::IsSiteTableFull, "add: room in the table",
         [](zax::Session& s) {
             zax::NetworkSite site{};
             return AddNetworkSiteDialog(s, site).Run();
         }},
        {zax::Opnum::IsVpimAvailable, "digital site: VPIM",
         [](zax::Session& s) {
             zax::NetworkSite site{};
             return DigitalSiteDialog(s, site, true).Run();
         }},
        {zax::Opnum::ChangeSite, "AMIS site: save",
         [](zax::Session& s) {
             zax::NetworkSite site{};
             zax::SetText(site.SitePrefix, "71");
             EXPECT_EQ(s.Server().GetSite(site), 0);
             AmisSiteDialog dialog(s, site, false);
             WhenModal<AmisSiteDialog>([](AmisSiteDialog& d) { ClickButton(d, 1); });
             return dialog.Run();
         }},
        {zax::Opnum::AddSite, "digital site: save",
         [](zax::Session& s) {
             zax::NetworkSite site{};
             DigitalSiteDialog dialog(s, site, true);
             WhenModal<DigitalSiteDialog>([](DigitalSiteDialog& d) {
                 TypeInto(d.Control(DigitalSiteCtl::Host), "a.example");
                 TypeInto(d.Control(DigitalSiteCtl::Prefix), "5");
                 ClickButton(d, ui::ControlId::Ok);
             });
             return dialog.Run();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectTransportFailureEndsTheProgram(c.opnum, c.scenario);
        EXPECT_EQ(session.systemInfo.NetworkGroupListEnabled, 1); // nothing was saved
    }
}

} // namespace
