#pragma once
// What the preview programs share. Each shows one window of its feature
// against the in-process demo office for a while, for looking at it on a real
// display:
//   <program> <window> [module.dll|-] [milliseconds]
// and answers 2 for a window it does not have or a module that does not load.

#include "InProcessServer.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <functional>
#include <map>

namespace preview {

using Window = std::function<int(zax::Session&)>;

// Runs a dialog where a screenshot finds it.
template <class Dialog> int Show(Dialog&& dialog) {
    dialog.move(40, 40);
    return dialog.Run();
}

// A window that is a dialog on the session alone.
template <class Dialog> int Open(zax::Session& session) {
    return Show(Dialog(session));
}

// The preview's main(): `prepare` may adjust the session before the window opens.
inline int Main(int argc, char** argv, const char* fallback,
                const std::map<QString, Window>& windows,
                const std::function<void(zax::Session&)>& prepare = {}) {
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
    if (prepare)
        prepare(session);
    const auto it = windows.find(args.value(1, QString::fromLatin1(fallback)));
    if (it == windows.end())
        return 2;
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second(session);
    return 0;
}

} // namespace preview
