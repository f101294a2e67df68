// Shows one of the networking dialogs against the in-process demo office for
// a while, for looking at it on a real display:
//   network_preview <general|amis|digital|blocking|sites|amissite|digitalsite|addsite>
//                   [module.dll|-] [milliseconds]

#include "PreviewMain.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisNetworkingDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/SiteAdministrationDialog.h"

namespace {

// A site dialog in change mode over the demo site with that prefix.
template <class Dialog> preview::Window SiteWindow(const char* prefix) {
    return [prefix](zax::Session& session) {
        zax::NetworkSite site{};
        zax::SetText(site.SitePrefix, prefix);
        session.Server().GetSite(site);
        return preview::Show(Dialog(session, site, false));
    };
}

} // namespace

int main(int argc, char** argv) {
    using namespace network;
    return preview::Main(argc, argv, "general",
                         {
                             {"general", preview::Open<GeneralNetworkingDialog>},
                             {"amis", preview::Open<AmisNetworkingDialog>},
                             {"digital", preview::Open<DigitalNetworkingDialog>},
                             {"blocking", preview::Open<BlockingPeriodsDialog>},
                             {"sites", preview::Open<SiteAdministrationDialog>},
                             {"amissite", SiteWindow<AmisSiteDialog>("71")},
                             {"digitalsite", SiteWindow<DigitalSiteDialog>("72")},
                             {"addsite",
                              [](zax::Session& s) {
                                  zax::NetworkSite site{};
                                  return preview::Show(AddNetworkSiteDialog(s, site));
                              }},
                         });
}
