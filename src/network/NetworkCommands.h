#pragma once
// The networking commands of the main frame's menus.

namespace ui {
class CommandTable;
}

namespace network {

// Adds the general, AMIS and digital networking parameters, the AMIS call
// blocking periods and the site administration.
void RegisterCommands(ui::CommandTable& commands);

} // namespace network
