#pragma once
// The About box: the program icon, the product label and the version of
// this build.
#include "ui/TemplateDialog.h"

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace app {

class AboutDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

protected:
    bool OnInitDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> form_;
};

} // namespace app
