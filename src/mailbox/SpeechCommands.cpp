#include "mailbox/SpeechCommands.h"

#include "mailbox/SpeechDirectoryDialog.h"
#include "mailbox/SpeechRecPropertiesDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace mailbox {

void RegisterSpeechCommands(ui::CommandTable& commands, DirectoryVoice voice) {
    using namespace ui::CommandId;
    commands.Register(SpeechRecDirectory, [voice](zax::Session& session, QWidget* owner) {
        SpeechDirectoryDialog dialog(session, voice, owner);
        dialog.Run();
    });
    commands.Register({VoiceActivatedDialing, ui::OpenWindow<SpeechRecPropertiesDialog>});
}

} // namespace mailbox
