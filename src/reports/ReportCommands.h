#pragma once
// The commands of the Reports menu.

namespace ui {
class CommandTable;
}

namespace reports {

// Adds the fifteen reports (the mailbox activity through its dialog), "Print
// T&o...", "Default &Editor..." and "&Reset Statistics...".
void RegisterCommands(ui::CommandTable& commands);

} // namespace reports
