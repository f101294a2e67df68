#include "attendant/AttendantCommands.h"

#include "attendant/FaxParametersDialog.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace attendant {

namespace {

template <class Dialog> void Open(zax::Session& session, QWidget* owner) {
    Dialog dialog(session, owner);
    dialog.Run();
}

} // namespace

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({Fax, Open<FaxParametersDialog>});
    commands.Register({OperatorSettings, Open<OperatorSettingsDialog>});
    // Enabling or disabling group lists changes what the menus offer.
    commands.Register({SystemParameters, Open<SystemParametersDialog>, nullptr, true});
}

} // namespace attendant
