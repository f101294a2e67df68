#include "greetings/GreetingCommands.h"

#include "greetings/CGtgTable.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace greetings {

void RegisterCommands(ui::CommandTable& commands, EditPrompt editPrompt) {
    using namespace ui::CommandId;
    for (int i = 0; i < zax::GreetingTableCount; ++i) {
        const int table = i + 1;
        for (auto [command, start] : {std::pair{GreetingTable1 + i, CGtgTable::FirstPage},
                                      std::pair{SpeechRecGreetingTable1 + i,
                                                CGtgTable::SpeechRecPage}}) {
            commands.Register(command, [table, start, editPrompt](zax::Session& session,
                                                                  QWidget* owner) {
                CGtgTable sheet(session, table, start, editPrompt, owner);
                sheet.Run();
            });
        }
    }
}

} // namespace greetings
