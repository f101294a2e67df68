#pragma once
// System Parameters (dialog 132): outcalling channels, voice mail, group
// lists and their leading digit, directory, general delivery, the prompt
// languages of a bilingual system, redirect DN and a request to reset the
// administration password. Saving may change what the server offers (group
// lists), so the session's copy of the system information follows it.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class SystemParametersDialog;
}

namespace attendant {

class SystemParametersDialog : public ui::BoundDialog<zax::SystemParameters> {
    Q_OBJECT
public:
    explicit SystemParametersDialog(zax::Session& session, QWidget* parent = nullptr);
    ~SystemParametersDialog() override;

    // Reads the parameters; false when they could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void UpdateControlStates() override;
    void OnOK() override;

private:
    ui::Binding<zax::SystemParameters> LeadingDigitRow() const;
    ui::Binding<zax::SystemParameters> LanguagesRow() const;
    void ShowLanguageNames();

    zax::Session& session_;
    std::unique_ptr<Ui::SystemParametersDialog> form_;
};

} // namespace attendant
