#include "mailbox/MailboxCommands.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace mailbox {

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({AddMailbox, ui::OpenWindow<AddMailboxDialog>});
    commands.Register({AddManyMailboxes, ui::OpenWindow<AddManyMailboxesDialog>});
    commands.Register({ChangeDeleteMailbox, ui::OpenWindow<MailboxListDialog>});
    commands.Register({ClassOfService, ui::OpenWindow<ClassOfServiceDialog>});
}

} // namespace mailbox
