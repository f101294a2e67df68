// Shows one of the networking dialogs against the in-process demo office for
// a while, for looking at it on a real display:
//   network_preview <general|amis|digital|blocking|sites|amissite|digitalsite|addsite>
//                   [module.dll|-] [milliseconds]

#include "InProcessServer.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisNetworkingDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/SiteAdministrationDialog.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <functional>
#include <map>

namespace {

template <class Dialog> int Show(zax::Session& session) {
    Dialog dialog(session);
    dialog.move(40, 40);
    return dialog.Run();
}

// A site dialog in change mode over the demo site with that prefix.
template <class Dialog> int ShowSite(zax::Session& session, const char* prefix) {
    zax::NetworkSite site{};
    zax::SetText(site.SitePrefix, prefix);
    session.Server().GetSite(site);
    Dialog dialog(session, site, false);
    dialog.move(40, 40);
    return dialog.Run();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR));
    const QStringList args = app.arguments();
    const QString module = args.value(2, "-");
    if (module != "-" && !ui::LanguageModule::Load(module))
        return 2;
    testsupport::InProcessServer server;
    zax::Session session;
    session.server = &server.server();
    session.systemInfo = server.state().systemInfo;

    const std::map<QString, std::function<int(zax::Session&)>> windows = {
        {"general", Show<network::GeneralNetworkingDialog>},
        {"amis", Show<network::AmisNetworkingDialog>},
        {"digital", Show<network::DigitalNetworkingDialog>},
        {"blocking", Show<network::BlockingPeriodsDialog>},
        {"sites", Show<network::SiteAdministrationDialog>},
        {"amissite", [](zax::Session& s) { return ShowSite<network::AmisSiteDialog>(s, "71"); }},
        {"digitalsite",
         [](zax::Session& s) { return ShowSite<network::DigitalSiteDialog>(s, "72"); }},
        {"addsite",
         [](zax::Session& s) {
             zax::NetworkSite site{};
             network::AddNetworkSiteDialog dialog(s, site);
             dialog.move(40, 40);
             return dialog.Run();
         }},
    };
    const auto it = windows.find(args.value(1, "general"));
    if (it == windows.end())
        return 2;
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second(session);
    return 0;
}
