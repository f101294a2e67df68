// gui: the administration client.
#include "app/ZaxApplication.h"
#include "attendant/AttendantCommands.h"
#include "greetings/GreetingCommands.h"
#include "gui/VoiceWiring.h"
#include "lists/ListsCommands.h"
#include "mailbox/MailboxCommands.h"
#include "mailbox/SpeechCommands.h"
#include "network/NetworkCommands.h"
#include "reports/ReportCommands.h"
#include "server/Session.h"
#include "ui/CommandTable.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gui"));
    QApplication::setQuitOnLastWindowClosed(false); // the frame's close ends the program

    ui::CommandTable commands;
    // One line per feature: each adds the commands whose dialogs it owns.
    mailbox::RegisterCommands(commands);
    mailbox::RegisterSpeechCommands(commands, gui::VoiceDirectoryNames());
    attendant::RegisterCommands(commands);
    lists::RegisterCommands(commands);
    network::RegisterCommands(commands);
    reports::RegisterCommands(commands);
    greetings::RegisterCommands(commands, gui::VoicePromptEditor());
    app::ZaxApplication application(core::ConfigFile(), commands, zax::CurrentSession());
    if (!application.InitInstance()) {
        return 1;
    }
    QObject::connect(application.MainFrame(), &app::CMainFrame::closed, &qtApp,
                     &QCoreApplication::quit);
    return QApplication::exec();
}
