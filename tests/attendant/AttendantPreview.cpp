// Shows one of the parameter dialogs against the in-process demo office for
// a while, for looking at it on a real display:
//   attendant_preview <operator|fax|system|aa|lines|line|range> [module.dll|-] [milliseconds]

#include "InProcessServer.h"

#include "attendant/FaxParametersDialog.h"
#include "attendant/GeneralAaParametersDialog.h"
#include "attendant/LineAdministrationDialog.h"
#include "attendant/LineDialogs.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"
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

int ShowLine(zax::Session& session) {
    attendant::LineSettingsDialog dialog(session, 5, QStringLiteral("005"));
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
        {"operator", Show<attendant::OperatorSettingsDialog>},
        {"fax", Show<attendant::FaxParametersDialog>},
        {"system", Show<attendant::SystemParametersDialog>},
        {"aa", Show<attendant::GeneralAaParametersDialog>},
        {"lines", Show<attendant::LineAdministrationDialog>},
        {"line", ShowLine},
        {"range", Show<attendant::LineRangeDialog>},
    };
    const auto it = windows.find(args.value(1, "system"));
    if (it == windows.end())
        return 2;
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second(session);
    return 0;
}
