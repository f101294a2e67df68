#pragma once
// The prompt editor the program hands the greeting tables: the Voice dialog
// of the voice prompt layer, on the session's server.

#include "greetings/PromptEditor.h"

namespace greetings {

EditPrompt VoicePromptEditor();

} // namespace greetings
