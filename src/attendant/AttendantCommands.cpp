#include "attendant/AttendantCommands.h"

#include "attendant/FaxParametersDialog.h"
#include "attendant/GeneralAaParametersDialog.h"
#include "attendant/LineAdministrationDialog.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace attendant {

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({Fax, ui::OpenWindow<FaxParametersDialog>});
    commands.Register({GeneralAaParameters, ui::OpenWindow<GeneralAaParametersDialog>});
    commands.Register({Lines, ui::OpenWindow<LineAdministrationDialog>});
    commands.Register({OperatorSettings, ui::OpenWindow<OperatorSettingsDialog>});
    // Enabling or disabling group lists changes what the menus offer.
    commands.Register({SystemParameters, ui::OpenWindow<SystemParametersDialog>, nullptr, true});
}

} // namespace attendant
