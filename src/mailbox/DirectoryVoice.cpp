#include "mailbox/DirectoryVoice.h"

#include "prompts/VoicePrompts.h"
#include "server/RetryProxy.h"
#include "server/Session.h"

namespace mailbox {

DirectoryVoice VoiceDirectoryNames() {
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

} // namespace mailbox
