// Shows one of the report dialogs against the in-process demo office for a
// while, for looking at it on a real display:
//   reports_preview <activity|print|editor> [module.dll|-] [milliseconds]

#include "InProcessServer.h"

#include "reports/MailboxActivityDialog.h"
#include "reports/PrintDestinationDialog.h"
#include "reports/SelectEditorDialog.h"
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
    zax::SetText(session.systemInfo.DefaultEditor, "xdg-open");

    const std::map<QString, std::function<int(zax::Session&)>> windows = {
        {"activity", Show<reports::MailboxActivityDialog>},
        {"print", Show<reports::PrintDestinationDialog>},
        {"editor", Show<reports::SelectEditorDialog>},
    };
    const auto it = windows.find(args.value(1, "activity"));
    if (it == windows.end())
        return 2;
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second(session);
    return 0;
}
