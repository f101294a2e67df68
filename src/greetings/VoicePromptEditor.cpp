#include "greetings/VoicePromptEditor.h"

#include "prompts/VoicePrompts.h"
#include "server/RetryProxy.h"
#include "server/Session.h"

namespace greetings {

EditPrompt VoicePromptEditor() {
    return [](zax::Session& session, QWidget* owner, const PromptRef& ref) {
        const auto table = static_cast<std::uint8_t>(ref.table);
        const prompts::VoicePrompt prompt =
            ref.family == PromptFamily::Attendant
                ? prompts::AaPrompt(table, static_cast<zax::AaPromptKind>(ref.kind))
                : prompts::SrPrompt(table, static_cast<zax::SrPromptKind>(ref.kind));
        zax::RetryProxy proxy(session.Server());
        return prompts::EditVoicePrompt(prompt, owner, prompts::VoiceContext{&proxy, nullptr});
    };
}

} // namespace greetings
