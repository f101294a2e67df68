#include "gui/Features.h"

#include "attendant/AttendantCommands.h"
#include "greetings/GreetingCommands.h"
#include "gui/VoiceWiring.h"
#include "lists/ListsCommands.h"
#include "mailbox/MailboxCommands.h"
#include "mailbox/SpeechCommands.h"
#include "network/NetworkCommands.h"
#include "reports/ReportCommands.h"
#include "ui/CommandTable.h"

namespace gui {

void RegisterFeatures(ui::CommandTable& commands) {
    // One line per feature: each adds the commands whose dialogs it owns.
    mailbox::RegisterCommands(commands);
    mailbox::RegisterSpeechCommands(commands, VoiceDirectoryNames());
    attendant::RegisterCommands(commands);
    lists::RegisterCommands(commands);
    network::RegisterCommands(commands);
    reports::RegisterCommands(commands);
    greetings::RegisterCommands(commands, VoicePromptEditor());
}

} // namespace gui
