#pragma once
// Seams for everything that leaves the dialog's own window: modal message
// boxes, file dialogs, process starts, sound output, help and ending the
// program. The application installs the real behaviour where it differs from
// the defaults; tests replace the hooks so that nothing ever blocks on a real
// modal box.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace ui {

enum class StandardBoxIcon { None, Warning };

struct FileDialogRequest {
    bool save = false;
    QString caption;
    QString directory;
    QString fileName;
    QString filter; // "Text|pattern|Text|pattern||" as held in the string table
};

struct UiHooks {
    // Runs the program's message box (dialog 138); returns 1 for OK, 2 for Cancel.
    std::function<int(const QString& text, int style)> messageBox;
    // The platform's standard box: caption, text, icon, one OK button.
    std::function<void(const QString& caption, const QString& text, StandardBoxIcon icon)>
        standardBox;
    // Returns the chosen file, empty when cancelled.
    std::function<QString(QWidget* parent, const FileDialogRequest& request)> fileDialog;
    // Starts a program given as words (no shell). With wait: returns its exit
    // code, -1 when it could not run. Without: 0 when started, -1 otherwise.
    std::function<int(const QStringList& command, bool wait)> startProcess;
    // Plays a wave file to the end; false when it could not be played.
    std::function<bool(const QString& wavePath)> playSound;
    // Ends the program with the exit code, without the normal close path.
    std::function<void(int exitCode)> endProgram;
    // Shows the help topic of a context number (0 = contents).
    std::function<void(int context)> showHelp;
    // The system's default sound, for an entry that cannot be acted on.
    std::function<void()> beep;
};

// The hooks in force. Changing a member affects every later call.
UiHooks& Hooks();

// The behaviour used when nothing was installed.
UiHooks DefaultHooks();

// Restores the hooks in force at construction when it goes out of scope. It
// also starts its scope with no transport failure on record (see
// ProgramIsEnding) and restores the previous state at its end.
class ScopedHooks {
public:
    ScopedHooks();
    ~ScopedHooks();
    ScopedHooks(const ScopedHooks&) = delete;
    ScopedHooks& operator=(const ScopedHooks&) = delete;

private:
    UiHooks saved_;
    bool savedEnding_;
};

// Turns a "Text|pattern|...||" filter into the form Qt's file dialog takes.
QString QtFileFilter(const QString& pipeFilter);

} // namespace ui
