#pragma once
// Print Destination (dialog 165): reports go to the printer of the KOR or
// come back to be shown in the default editor. The choice takes effect at
// once and is kept under "Print To" in the configuration file.

#include "core/ConfigFile.h"
#include "ui/TemplateDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class PrintDestinationDialog;
}

namespace reports {

class PrintDestinationDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit PrintDestinationDialog(zax::Session& session, QWidget* parent = nullptr,
                                    core::ConfigFile config = core::ConfigFile());
    ~PrintDestinationDialog() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    zax::Session& session_;
    core::ConfigFile config_;
    std::unique_ptr<Ui::PrintDestinationDialog> form_;
};

} // namespace reports
