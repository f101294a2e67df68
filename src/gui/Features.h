#pragma once
// Every feature's commands in one table: what the program's menus run. The
// features that record and play voice get the voice prompt layer here.

namespace ui {
class CommandTable;
}

namespace gui {

void RegisterFeatures(ui::CommandTable& commands);

} // namespace gui
