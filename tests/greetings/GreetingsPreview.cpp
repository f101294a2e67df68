// Shows the greeting-table sheet on one of its pages, the speech recognition
// directory or the voice-dialing switch against the in-process demo office
// for a while, for looking at them on a real display:
//   greetings_preview <numbers|hours|answer|speech|directory|dialing> [module.dll|-] [milliseconds]

#include "InProcessServer.h"

#include "greetings/CGtgTable.h"
#include "mailbox/SpeechDirectoryDialog.h"
#include "mailbox/SpeechRecPropertiesDialog.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <map>

namespace {

std::function<int(zax::Session&)> Sheet(int tab) {
    return [tab](zax::Session& session) {
        greetings::CGtgTable sheet(session, 1, greetings::CGtgTable::FirstPage,
                                   [](zax::Session&, QWidget*, const greetings::PromptRef&) {
                                       return true;
                                   });
        sheet.move(40, 40);
        QTimer::singleShot(100, &sheet,
                           [&sheet, tab] { sheet.findChild<QTabWidget*>()->setCurrentIndex(tab); });
        return sheet.Run();
    };
}

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

    const std::map<QString, std::function<int(zax::Session&)>> windows = {
        {"numbers", Sheet(0)},
        {"hours", Sheet(1)},
        {"answer", Sheet(2)},
        {"speech", Sheet(3)},
        {"directory", Show<mailbox::SpeechDirectoryDialog>},
        {"dialing", Show<mailbox::SpeechRecPropertiesDialog>},
    };
    const auto it = windows.find(args.value(1, "hours"));
    if (it == windows.end())
        return 2;
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second(session);
    return 0;
}
