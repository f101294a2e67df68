#pragma once
// General Auto Attendant Parameters (dialog 107): whether callers can return
// to the auto attendant, and the Touchtone Gate with its greeting.

#include "ui/BoundDialog.h"

#include <cstdint>
#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class GeneralAaParametersDialog;
}

namespace attendant {

// The three bytes of GetAttendantParameters and SetAttendantParameters.
struct AaParameters {
    uint8_t ReturnToAa;   // 0/1
    uint8_t GateMode;     // zax::TouchtoneGate
    uint8_t GateGreeting; // 1 to 40
};

class GeneralAaParametersDialog : public ui::BoundDialog<AaParameters> {
    Q_OBJECT
public:
    explicit GeneralAaParametersDialog(zax::Session& session, QWidget* parent = nullptr);
    ~GeneralAaParametersDialog() override;

    // Reads the parameters; false when they could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void UpdateControlStates() override;
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::GeneralAaParametersDialog> form_;
};

} // namespace attendant
