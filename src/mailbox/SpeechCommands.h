#pragma once
// The speech recognition commands of the main frame's Speech Rec menu that
// the mailbox administration owns.

#include "mailbox/DirectoryVoice.h"

namespace ui {
class CommandTable;
}

namespace mailbox {

// Adds "&Directory" (Speech Recognition Directory) and "&Voice Activated
// Dialing" (Speech Recognition Properties). Recorded names are asked after
// and played through `voice`; without it "Play Name" stays disabled.
void RegisterSpeechCommands(ui::CommandTable& commands, DirectoryVoice voice = {});

} // namespace mailbox
