#pragma once
// What every dialog and property sheet shares: it reads what it needs from
// the server before it is shown, runs modally, calls the server through the
// guard, and shows its help topic on F1.
//
// Run() is the one way a command opens a window: Load(), then the modal
// loop only when the load succeeded. A window that ends itself while it is
// opening (from its first showing) returns at once instead of waiting in a
// loop nobody will end.
//
// Results follow the platform's convention: 1 for OK, 2 for Cancel.

#include "ui/ServerCallGuard.h"

#include <QDialog>

class QEventLoop;

namespace ui {

class ModalBase : public QDialog {
    Q_OBJECT
public:
    explicit ModalBase(QWidget* parent = nullptr);
    ~ModalBase() override;

    // Load, then DoModal; Cancel (without showing) when the load failed.
    // When the program is ending, the window it was opened from ends too.
    int Run();
    // Runs the window modally and returns the code it ended with.
    int DoModal();
    void EndDialog(int result);

    // A server call by the program's convention; a transport failure also
    // ends this window with Cancel.
    template <class Call>
    CallResult CallServer(Call&& call, std::span<const StatusMessage> recognised = {}) {
        const CallResult result = GuardServerCall(std::forward<Call>(call), recognised);
        if (result.Ending()) {
            EndDialog(kCancel);
        }
        return result;
    }

    void done(int result) override;

protected:
    static constexpr int kCancel = 2;

    // Reads what the window shows; false when it cannot open (the failure
    // has been reported).
    virtual bool Load() { return true; }
    // The help topic F1 and the Help button show.
    virtual int HelpContext() const = 0;
    virtual void OnHelp();

    void keyPressEvent(QKeyEvent* event) override;

private:
    QEventLoop* loop_ = nullptr;
    bool ended_ = false;
    bool opening_ = false;
};

} // namespace ui
