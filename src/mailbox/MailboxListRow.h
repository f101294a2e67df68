#pragma once
// One row of the mailbox list: the texts of its three columns, as bytes,
// known by its number. The list's model holds the rows; the property sheet
// updates the name of the row it was opened for after each save, and the
// list shows that row again when the sheet closes.

#include <string>

namespace mailbox {

struct MailboxListRow {
    std::string name;     // record bytes
    std::string number;   // record bytes
    std::string typeText; // UTF-8, from the language module
};

} // namespace mailbox
