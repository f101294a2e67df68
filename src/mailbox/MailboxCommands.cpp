#include "mailbox/MailboxCommands.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace mailbox {

namespace {

template <class Dialog> void Open(zax::Session& session, QWidget* owner) {
    Dialog dialog(session, owner);
    dialog.Run();
}

} // namespace

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({AddMailbox, Open<AddMailboxDialog>});
    commands.Register({AddManyMailboxes, Open<AddManyMailboxesDialog>});
    commands.Register({ChangeDeleteMailbox, Open<MailboxListDialog>});
    commands.Register({ClassOfService, Open<ClassOfServiceDialog>});
}

} // namespace mailbox
