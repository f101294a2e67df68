#pragma once
// What the program hands the features that record and play voice: the
// greeting tables' prompt editor and the speech directory's recorded names,
// both from the voice prompt layer, on the session's server. The features
// know only the shapes (greetings/PromptEditor.h, mailbox/DirectoryVoice.h).

#include "greetings/PromptEditor.h"
#include "mailbox/DirectoryVoice.h"

namespace gui {

greetings::EditPrompt VoicePromptEditor();
mailbox::DirectoryVoice VoiceDirectoryNames();

} // namespace gui
