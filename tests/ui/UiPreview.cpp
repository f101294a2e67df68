// Shows one window of the framework for a while, for screenshots:
//   ui_preview <module.dll|-> <warning|question|sample|help> [milliseconds]

#include "SampleDialog.h"

#include "ui/HelpViewer.h"
#include "ui/LanguageModule.h"
#include "ui/MessageDialog.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR));
    const QStringList args = app.arguments();
    const QString module = args.value(1, "-");
    const QString what = args.value(2, "warning");
    if (module != "-" && !ui::LanguageModule::Load(module)) {
        return 2;
    }
    std::unique_ptr<QWidget> window;
    const QString text =
        ui::LanguageModule::String(what == "question" ? ui::StringId::ResetStatisticsQuestion
                                                      : ui::StringId::NetworkErrorTerminating);
    if (what == "warning" || what == "question") {
        window = std::make_unique<ui::MessageDialog>(text, what == "warning" ? ui::kStyleWarning
                                                                             : ui::kStyleQuestion);
    } else if (what == "sample") {
        auto dialog = std::make_unique<SampleDialog>();
        dialog->selection = 1;
        window = std::move(dialog);
    } else {
        ui::HelpViewer::Instance().SetHelpFile(QDir::current().absoluteFilePath(
            QFileInfo(module == "-" ? "englishus.dll" : module).completeBaseName() + ".hlp"));
        ui::HelpViewer::Instance().ShowTopic(ui::DialogHelpContext(ui::DialogId::Language));
    }
    if (window) {
        window->move(40, 40);
        window->show();
    }
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, &QApplication::quit);
    return app.exec();
}
