#pragma once
// The menu commands of the group lists and the telephony tables.

namespace ui {
class CommandTable;
}

namespace lists {

void RegisterCommands(ui::CommandTable& commands);

} // namespace lists
