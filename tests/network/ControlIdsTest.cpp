// The control ids of the networking dialogs have one source of truth, the
// forms: every id a language module gives a text for is a control of the
// form, and every control that shows a text has one in every module.

#include "ControlIdCheck.h"
#include "DialogTestSupport.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisNetworkingDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/SiteAdministrationDialog.h"

#include "ui/ResourceIds.h"

using namespace network;
using namespace dialogtest;

namespace {

using ControlIdsTest = DialogTest;

TEST_F(ControlIdsTest, FormsAndEveryModuleAgreeOnTheControls) {
    zax::NetworkSite site{};
    testsupport::ExpectFormsAndModulesAgree([&] {
        using testsupport::TemplateWindow;
        using namespace ui::DialogId;
        std::vector<TemplateWindow> windows;
        windows.push_back({GeneralNetworking, std::make_unique<GeneralNetworkingDialog>(session)});
        windows.push_back({AmisNetworking, std::make_unique<AmisNetworkingDialog>(session)});
        windows.push_back({DigitalNetworking, std::make_unique<DigitalNetworkingDialog>(session)});
        windows.push_back({AmisBlockingPeriods, std::make_unique<BlockingPeriodsDialog>(session)});
        windows.push_back(
            {SiteAdministration, std::make_unique<SiteAdministrationDialog>(session)});
        windows.push_back({AddNetworkSite, std::make_unique<AddNetworkSiteDialog>(session, site)});
        windows.push_back({AmisSite, std::make_unique<AmisSiteDialog>(session, site, true)});
        windows.push_back({DigitalSite, std::make_unique<DigitalSiteDialog>(session, site, true)});
        return windows;
    });
}

} // namespace
