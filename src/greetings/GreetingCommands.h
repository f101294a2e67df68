#pragma once
// The greeting-table commands of the main frame's menus.

#include "greetings/PromptEditor.h"

namespace ui {
class CommandTable;
}

namespace greetings {

// Adds Auto Attendant > Greeting Table 1 to 4 (the sheet on its first page)
// and Speech Rec > Greeting Table 1 to 4 (on its Speech Rec page). The
// pages' "Voice..." buttons record through `editPrompt`; without one they
// say that recording is not available.
void RegisterCommands(ui::CommandTable& commands, EditPrompt editPrompt = {});

} // namespace greetings
