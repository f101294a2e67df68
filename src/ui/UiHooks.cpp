#include "ui/UiHooks.h"

#include "ui/ServerCallGuard.h"

#include "platform/SoundPlayback.h"

#include "ui/HelpViewer.h"
#include "ui/LanguageModule.h"
#include "ui/MessageDialog.h"
#include "ui/StringIds.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

namespace ui {
namespace {

void RunStandardBox(const QString& caption, const QString& text, StandardBoxIcon icon) {
    QMessageBox box(icon == StandardBoxIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    // Qt labels standard buttons in its own language; the module decides here.
    box.addButton(LanguageModule::String(StringId::ButtonOk), QMessageBox::AcceptRole);
    box.exec();
}

QString RunFileDialog(QWidget* parent, const FileDialogRequest& r) {
    const QString start = r.fileName.isEmpty() ? r.directory : r.directory + '/' + r.fileName;
    const QString filter = QtFileFilter(r.filter);
    return r.save ? QFileDialog::getSaveFileName(parent, r.caption, start, filter)
                  : QFileDialog::getOpenFileName(parent, r.caption, start, filter);
}

int RunProcess(const QStringList& command, bool wait) {
    if (command.isEmpty()) {
        return -1;
    }
    const QStringList args = command.mid(1);
    if (!wait) {
        return QProcess::startDetached(command.front(), args) ? 0 : -1;
    }
    QProcess process;
    process.start(command.front(), args);
    if (!process.waitForStarted()) {
        return -1;
    }
    process.waitForFinished(-1); // the external sound programs run without a time limit
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

UiHooks DefaultHooks() {
    UiHooks h;
    h.messageBox = [](const QString& text, int style) {
        MessageDialog box(text, style, QApplication::activeWindow());
        return box.DoModal();
    };
    h.standardBox = RunStandardBox;
    h.fileDialog = RunFileDialog;
    h.startProcess = RunProcess;
    h.playSound = [](const QString& wavePath) {
        return platform::PlayWaveFile(QFile::encodeName(wavePath).toStdString());
    };
    h.endProgram = [](int exitCode) { QCoreApplication::exit(exitCode); };
    h.showHelp = [](int context) { HelpViewer::Instance().ShowContext(context); };
    h.beep = [] { QApplication::beep(); };
    return h;
}

UiHooks& Hooks() {
    static UiHooks hooks = DefaultHooks();
    return hooks;
}

ScopedHooks::ScopedHooks() : saved_(Hooks()), savedEnding_(ProgramIsEnding()) {
    detail::SetProgramEnding(false);
}
ScopedHooks::~ScopedHooks() {
    Hooks() = saved_;
    detail::SetProgramEnding(savedEnding_);
}

QString QtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        // Qt reads the patterns from the bracketed tail of each entry, so the
        // description's own "(*.wav)" is replaced by the entry's pattern list.
        // "*.*" would only match names with a dot here; "*" matches them all.
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString description = parts[i];
        if (const qsizetype open = description.lastIndexOf(QLatin1Char('(')); open > 0) {
            description = description.left(open).trimmed();
        }
        filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace ui
