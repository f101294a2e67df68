#include "MailboxCommands.h"

#include "ClassOfServiceDialog.h"
#include "MailboxListDialog.h"

namespace mailbox {

void ShowMailboxList(app::Session& session, QWidget* owner) {
    MailboxListDialog dialog(session, owner);
    dialog.Run();
}

void ShowClassOfService(app::Session& session, QWidget* owner) {
    ClassOfServiceDialog dialog(session, owner);
    dialog.Run();
}

} // namespace mailbox
