// gui: the administration client.
#include "app/CommandTable.h"
#include "app/Session.h"
#include "app/ZaxApplication.h"
#include "mailbox/MailboxCommands.h"
#include "ui/ResourceIds.h"

#include <QApplication>

namespace {

// Each subsystem adds the commands whose dialogs it owns.
void RegisterCommands(app::CommandTable& commands) {
    using ui::CommandId::ChangeDeleteMailbox;
    using ui::CommandId::ClassOfService;
    commands.Register(ChangeDeleteMailbox, mailbox::ShowMailboxList);
    commands.Register(ClassOfService, mailbox::ShowClassOfService);
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gui"));
    QApplication::setQuitOnLastWindowClosed(false); // the frame's close ends the program

    app::CommandTable commands;
    RegisterCommands(commands);
    app::ZaxApplication zax(app::ConfigFile(), commands, app::CurrentSession());
    if (!zax.InitInstance()) {
        return 1;
    }
    QObject::connect(zax.MainFrame(), &app::CMainFrame::closed, &qtApp, &QCoreApplication::quit);
    return QApplication::exec();
}
