// Shows one mailbox window against the in-process demo office for a while,
// for looking at it on a real display:
//   mailbox_preview <list|general|options|address|cos|add|addmany> [module.dll|-] [milliseconds]

#include "InProcessServer.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/CMbxProps.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <functional>
#include <map>

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

    // The sheet on one page of a mailbox: a subscriber, or the AMIS mailbox.
    const auto sheet = [&session](const char* number, int slot) {
        mailbox::CMbxProps props(session, number, nullptr, nullptr, slot);
        props.move(40, 40);
        return props.Run();
    };
    const std::map<QString, std::function<int()>> windows = {
        {"list",
         [&] {
             mailbox::MailboxListDialog list(session);
             list.move(40, 40);
             return list.Run();
         }},
        {"general", [&] { return sheet("2001", mailbox::SlotGeneral); }},
        {"options", [&] { return sheet("2001", mailbox::SlotOptions); }},
        {"address", [&] { return sheet("4000", mailbox::SlotAddress); }},
        {"cos",
         [&] {
             mailbox::ClassOfServiceDialog cos(session);
             cos.move(40, 40);
             return cos.Run();
         }},
        {"add",
         [&] {
             mailbox::AddMailboxDialog add(session);
             add.move(40, 40);
             return add.Run();
         }},
        {"addmany",
         [&] {
             mailbox::AddManyMailboxesDialog add(session);
             add.move(40, 40);
             return add.Run();
         }},
    };
    const auto it = windows.find(args.value(1, "list"));
    if (it == windows.end())
        return 2;
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second();
    return 0;
}
