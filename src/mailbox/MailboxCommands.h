#pragma once
// The mailbox administration commands of the main frame's menus.

class QWidget;

namespace app {
struct Session;
}

namespace mailbox {

// "&Change / Delete..." of the "&Mailbox" menu: the Mailbox Administration list.
void ShowMailboxList(app::Session& session, QWidget* owner);
// "Edit &Class of Service..." of the "&Options" menu.
void ShowClassOfService(app::Session& session, QWidget* owner);

} // namespace mailbox
