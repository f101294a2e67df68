#pragma once
// Builds the frame's menu bar from menu 2 of the active module and cuts the
// toolbar strip (bitmap 2) into button images.

#include <map>
#include <vector>

class QAction;
class QMenuBar;
class QPixmap;

namespace ui {

// Clears bar and fills it from menu 2. Every command becomes an action whose
// data is the command id and whose status tip is the string of the same id.
// Returns the actions by command id for routing and enabling.
std::map<int, QAction*> BuildMenuBar(QMenuBar& bar);

// The images of bitmap 2, left to right, one per toolbar button.
std::vector<QPixmap> ToolbarButtonImages();

} // namespace ui
