#pragma once
// The mailbox administration commands of the main frame's menus.

namespace ui {
class CommandTable;
}

namespace mailbox {

// Adds the two ways of adding mailboxes ("&Add..." and "Add &many..."), the
// mailbox list ("&Change / Delete...") and the classes of service ("Edit
// &Class of Service...").
void RegisterCommands(ui::CommandTable& commands);

} // namespace mailbox
