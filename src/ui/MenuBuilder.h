#pragma once
// Builds the frame's menu bar from menu 2 of the active module and hands out
// the toolbar's button images (bitmap 2).

#include <QIcon>

#include <map>
#include <vector>

class QAction;
class QMenuBar;

namespace ui {

// Empties bar (deleting the menus it held) and fills it from menu 2. Every command becomes an
// action whose data is the command id and whose status tip is the string of the same id. Returns
// the actions by command id for routing and enabling.
std::map<int, QAction*> BuildMenuBar(QMenuBar& bar);

// The images of bitmap 2, left to right, one per toolbar button.
std::vector<QIcon> ToolbarButtonImages();

} // namespace ui
