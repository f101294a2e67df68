#include "attendant/GeneralAaParametersDialog.h"

#include "attendant/AttendantIds.h"
#include "ui_GeneralAaParametersDialog.h"

#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QRadioButton>

namespace attendant {

using namespace AaCtl;
using GateMode = zax::TouchtoneGate;

namespace {

constexpr int kMaxGateGreeting = 40;

constexpr uint8_t Code(GateMode g) {
    return static_cast<uint8_t>(g);
}

} // namespace

GeneralAaParametersDialog::GeneralAaParametersDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::GeneralAaParameters, parent), session_(session),
      form_(std::make_unique<Ui::GeneralAaParametersDialog>()) {
    form_->setupUi(this);
    using namespace ui::bind;
    // The greeting is checked whatever the mode: a greeting the server holds
    // out of range must be put right before anything is sent.
    Bind({
        Check(ReturnToAa, &AaParameters::ReturnToAa, uint8_t{1}, uint8_t{0}),
        Radio({GateNone, GateStandard, GateCustom}, &AaParameters::GateMode,
              {Code(GateMode::None), Code(GateMode::Standard), Code(GateMode::Custom)}),
        Number(GateGreeting, &AaParameters::GateGreeting,
               ui::StringId::InvalidTouchtoneGateGreeting, Digits(1, 2, 1, kMaxGateGreeting)),
    });
    for (QRadioButton* b : {form_->gateNone, form_->gateStandard, form_->gateCustom})
        connect(b, &QRadioButton::clicked, this, [this] { UpdateControlStates(); });
}

GeneralAaParametersDialog::~GeneralAaParametersDialog() = default;

bool GeneralAaParametersDialog::Load() {
    AaParameters& p = Record();
    return ui::GuardServerCall([&] {
               return session_.Server().GetAttendantParameters(p.ReturnToAa, p.GateMode,
                                                               p.GateGreeting);
           })
        .Succeeded();
}

void GeneralAaParametersDialog::UpdateControlStates() {
    EnableControl(GateGreeting, IsChecked(GateCustom));
}

void GeneralAaParametersDialog::OnOK() {
    const std::optional<AaParameters> p = StoreFields(Record());
    if (!p)
        return;
    // Accepted or refused (its status shown), the dialog is done.
    const ui::CallResult result = CallServer([&] {
        return session_.Server().SetAttendantParameters(p->ReturnToAa, p->GateMode,
                                                        p->GateGreeting);
    });
    if (!result.Ending())
        EndDialog(result.Succeeded() ? ui::ControlId::Ok : ui::ControlId::Cancel);
}

} // namespace attendant
