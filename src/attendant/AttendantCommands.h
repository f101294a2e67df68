#pragma once
// The auto attendant and telephony commands of the main frame's menus.

namespace ui {
class CommandTable;
}

namespace attendant {

// Adds "General &AA Parameters...", "&Lines...", "Fa&x" (Fax Parameters),
// "&Operator Settings..." and "&System Parameters..."; the last may change
// which commands the server offers.
void RegisterCommands(ui::CommandTable& commands);

} // namespace attendant
