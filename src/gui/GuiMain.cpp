// gui: the administration client.
#include "app/ZaxApplication.h"
#include "gui/Features.h"
#include "server/Session.h"
#include "ui/CommandTable.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gui"));
    QApplication::setQuitOnLastWindowClosed(false); // the frame's close ends the program

    ui::CommandTable commands;
    gui::RegisterFeatures(commands);
    app::ZaxApplication application(core::ConfigFile(), commands, zax::CurrentSession());
    if (!application.InitInstance()) {
        return 1;
    }
    QObject::connect(application.MainFrame(), &app::CMainFrame::closed, &qtApp,
                     &QCoreApplication::quit);
    return QApplication::exec();
}
