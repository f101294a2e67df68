#pragma once
// What the "Voice..." buttons of the greeting-table pages ask of the voice
// prompt layer: open the Voice dialog on one recording of a table and say
// afterwards whether the server holds it. The program hands the real one to
// RegisterCommands; tests hand a fake.

#include <cstdint>
#include <functional>

class QWidget;

namespace zax {
struct Session;
}

namespace greetings {

enum class PromptFamily {
    Attendant,         // the menu prompts: kind 0 primary, 1 alternate
    SpeechRecognition, // kind 0 main, 1 repeat, 2 decline, 3 confirm
};

struct PromptRef {
    PromptFamily family;
    int16_t table;     // 1 to 4
    int16_t kind;      // as above
    int captionStringId; // the Voice dialog's caption
};

// Runs the Voice dialog modally over `owner`; true when the prompt is
// recorded once it has closed.
using EditPrompt = std::function<bool(zax::Session& session, QWidget* owner, const PromptRef&)>;

} // namespace greetings
