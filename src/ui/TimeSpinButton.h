#pragma once
// The up and down arrows beside a time-of-day box. Each step first drops
// back to the last quarter hour and then moves whole quarter hours, wrapping
// around midnight: one step later from 09:07 gives 09:15, one step earlier
// 08:45. A box whose text is no time of day beeps and stays as it is. The
// new time is written as if typed, so the page holding the box is marked
// modified.
//
// The upper arrow (and the Up key in the box) steps later, the lower arrow
// (and Down) earlier, as an administrator reads the arrows.

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

namespace ui {

class TimeSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TimeSpinButton(QWidget* parent = nullptr);
    ~TimeSpinButton() override;

    // The box the arrows step; the arrow keys in it step too.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return buddy_; }

    // Moves the box's time by `steps` quarter hours (positive: later).
    void Step(int steps);

    // How the arrows read and show the time where the box alone is not a
    // time of day in the module's form (a box with AM/PM buttons of its
    // own beside it). `read` gives false when the time is unreadable.
    struct TimeForm {
        std::function<bool(int& seconds)> read;
        std::function<void(int seconds)> show;
    };
    void SetTimeForm(TimeForm form) { form_ = std::move(form); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    TimeForm form_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace ui
