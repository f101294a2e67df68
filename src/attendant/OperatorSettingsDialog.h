#pragma once
// Operator Settings (dialog 115): whether the attendant is available, the
// business is open and lines are answered, the attendant's extension, and a
// request to reset the operator password.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class OperatorSettingsDialog;
}

namespace attendant {

class OperatorSettingsDialog : public ui::BoundDialog<zax::OperatorSettings> {
    Q_OBJECT
public:
    explicit OperatorSettingsDialog(zax::Session& session, QWidget* parent = nullptr);
    ~OperatorSettingsDialog() override;

    // Reads the settings; false when they could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::OperatorSettingsDialog> form_;
};

} // namespace attendant
