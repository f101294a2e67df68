#include "network/NetworkCommands.h"

#include "network/AmisNetworkingDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/SiteAdministrationDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace network {

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({GeneralNetworking, ui::OpenWindow<GeneralNetworkingDialog>});
    commands.Register({AmisNetworking, ui::OpenWindow<AmisNetworkingDialog>});
    commands.Register({AmisBlockingPeriods, ui::OpenWindow<BlockingPeriodsDialog>});
    commands.Register({DigitalNetworking, ui::OpenWindow<DigitalNetworkingDialog>});
    commands.Register({SiteAdministration, ui::OpenWindow<SiteAdministrationDialog>});
}

} // namespace network
