#pragma once
// The program's message box (dialog 138): caption the program title, an icon,
// the message, "OK" and, for questions, "Cancel".

#include "ui/TemplateDialog.h"

#include <memory>

namespace Ui {
class MessageDialog;
}

namespace ui {

class MessageDialog : public TemplateDialog {
    Q_OBJECT
public:
    // style 48 is a warning (exclamation, "OK" only); any other is a question.
    MessageDialog(const QString& text, int style, QWidget* parent = nullptr);
    ~MessageDialog() override;

    bool IsWarning() const { return warning_; }

protected:
    bool OnInitDialog() override;

private:
    std::unique_ptr<Ui::MessageDialog> form_;
    QString text_;
    bool warning_;
};

} // namespace ui
