#include "ui/TimeSpinButton.h"

#include "core/TimeOfDay.h"
#include "ui/TimeText.h"
#include "ui/UiHooks.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

TimeSpinButton::TimeSpinButton(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [button, arrow, steps] :
         {std::tuple{up_, Qt::UpArrow, 1}, std::tuple{down_, Qt::DownArrow, -1}}) {
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus); // the box keeps the focus while stepping
        button->setFixedSize(16, 11);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, steps] { Step(steps); });
    }
}

TimeSpinButton::~TimeSpinButton() = default;

void TimeSpinButton::SetBuddy(QLineEdit* buddy) {
    if (buddy_ != nullptr) {
        buddy_->removeEventFilter(this);
    }
    buddy_ = buddy;
    if (buddy_ != nullptr) {
        buddy_->installEventFilter(this);
    }
}

void TimeSpinButton::Step(int steps) {
    if (buddy_ == nullptr || steps == 0) {
        return;
    }
    int seconds = 0;
    const bool readable =
        form_.read ? form_.read(seconds) : ParseTimeFromDisplay(buddy_->text(), seconds);
    if (!readable) {
        Hooks().beep();
        return;
    }
    core::StepTimeOfDay(seconds, steps);
    if (form_.show)
        form_.show(seconds);
    else
        buddy_->setText(FormatTimeForDisplay(seconds));
    emit buddy_->textEdited(buddy_->text()); // as if typed: whoever watches the box sees a change
}

bool TimeSpinButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
