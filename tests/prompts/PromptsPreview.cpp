// Shows the Voice dialog against the in-process demo office for a while, for
// looking at it on a real display:
//   prompts_preview <recorded|empty|message> [module.dll|-] [milliseconds]
// "recorded" opens table 1's primary prompt, "empty" table 2's (not recorded),
// "message" table 1's with a failed download's message on top.

#include "InProcessServer.h"

#include "prompts/PromptsIds.h"
#include "prompts/VoiceDialog.h"
#include "prompts/VoiceItems.h"
#include "server/RetryProxy.h"
#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR));
    const QStringList args = app.arguments();
    const QString what = args.value(1, "recorded");
    const QString module = args.value(2, "-");
    if (module != "-" && !ui::LanguageModule::Load(module))
        return 2;
    testsupport::InProcessServer server;
    zax::RetryProxy proxy(server.server());
    const zax::VoiceParameters parameters = server.state().voice;
    const std::uint8_t table = what == "empty" ? 2 : 1;
    prompts::AaPromptItem item(&parameters, table, zax::AaPromptKind::Primary, {&proxy, nullptr});
    prompts::VoiceDialog dialog(item, ui::StringId::PrimaryAaPrompt);
    dialog.move(40, 40);
    if (what == "message") {
        // A download into a folder that does not exist.
        QTimer::singleShot(300, &dialog, [&dialog] {
            dialog.ControlAs<QLineEdit>(prompts::VoiceCtl::DownloadPath)
                ->setText("/no/such/folder/prompt.wav");
            dialog.ControlAs<QComboBox>(prompts::VoiceCtl::DownloadFormat)->setCurrentIndex(2);
            dialog.ControlAs<QAbstractButton>(prompts::VoiceCtl::DownloadTo)->click();
        });
    }
    // exit() leaves the dialog's own loop too; quit() would only ask the windows to close.
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    dialog.DoModal();
    return 0;
}
