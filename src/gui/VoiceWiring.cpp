#include "gui/VoiceWiring.h"

#include "prompts/VoicePrompts.h"
#include "server/RetryProxy.h"
#include "server/Session.h"

namespace gui {

greetings::EditPrompt VoicePromptEditor() {
    using greetings::PromptFamily;
    return [](zax::Session& session, QWidget* owner, const greetings::PromptRef& ref) {
        const auto table = static_cast<std::uint8_t>(ref.table);
        const prompts::VoicePrompt prompt =
            ref.family == PromptFamily::Attendant
                ? prompts::AaPrompt(table, static_cast<zax::AaPromptKind>(ref.kind))
                : prompts::SrPrompt(table, static_cast<zax::SrPromptKind>(ref.kind));
        zax::RetryProxy proxy(session.Server());
        return prompts::EditVoicePrompt(prompt, owner, prompts::VoiceContext{&proxy, nullptr});
    };
}

mailbox::DirectoryVoice VoiceDirectoryNames() {
    return {
        [](zax::Session& session, const std::string& number) {
            zax::RetryProxy proxy(session.Server());
            return prompts::IsDirectoryNameRecorded(number, prompts::VoiceContext{&proxy, nullptr});
        },
        [](zax::Session& session, QWidget*, const std::string& number) {
            zax::RetryProxy proxy(session.Server());
            prompts::PlayDirectoryName(number, prompts::VoiceContext{&proxy, nullptr});
        },
    };
}

} // namespace gui
