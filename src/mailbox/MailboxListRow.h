#pragma once
// One row of the mailbox list: the texts of its three columns. The list
// owns it; the property sheet updates the name after each save so that the
// list can show it when the sheet closes.

#include <string>

namespace mailbox {

struct MailboxListRow {
    std::string name;     // record bytes
    std::string number;   // record bytes
    std::string typeText; // UTF-8, from the language module
};

} // namespace mailbox
