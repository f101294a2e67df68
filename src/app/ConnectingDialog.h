#pragma once
// The modeless "Logging In" window shown while the server is asked for its
// system information. It has a caption but no buttons: it cannot be closed
// by the administrator, only by the log-in loop.
#include "ui/TemplateDialog.h"

#include <memory>

namespace Ui {
class ConnectingDialog;
}

namespace app {

class ConnectingDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit ConnectingDialog(QWidget* parent = nullptr);
    ~ConnectingDialog() override;

    // Shows the window and paints it at once: the call that follows blocks
    // the event loop until the server answers.
    void ShowNow();

protected:
    void reject() override {} // Escape must not close it

private:
    std::unique_ptr<Ui::ConnectingDialog> form_;
};

} // namespace app
