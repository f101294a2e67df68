#include "ui/ModalBase.h"

#include "ui/UiHooks.h"

#include <QEventLoop>
#include <QKeyEvent>

namespace ui {

ModalBase::ModalBase(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

ModalBase::~ModalBase() = default;

int ModalBase::Run() {
    const int result = Load() ? DoModal() : kCancel;
    // A window opened from another one ends its owner too once the program
    // is ending, so that no window stays open to act on after the failure.
    if (ProgramIsEnding()) {
        if (auto* owner = qobject_cast<ModalBase*>(parentWidget()))
            owner->EndDialog(kCancel);
    }
    return result;
}

int ModalBase::DoModal() {
    ended_ = false;
    setResult(0);
    setWindowModality(Qt::ApplicationModal);
    opening_ = true;
    show(); // the first showing initialises the window, which may end it
    opening_ = false;
    if (ended_) {
        QDialog::done(result()); // hide now that showing has finished
        return result();
    }
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    return result();
}

void ModalBase::EndDialog(int result) {
    done(result);
}

void ModalBase::done(int result) {
    ended_ = true;
    if (opening_) {
        setResult(result); // DoModal closes the window once show() has returned
        return;
    }
    QDialog::done(result);
    if (loop_ != nullptr) {
        loop_->exit();
    }
}

void ModalBase::OnHelp() {
    Hooks().showHelp(HelpContext());
}

void ModalBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ui
