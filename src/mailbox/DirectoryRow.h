#pragma once
// One spoken name of the speech recognition directory. A mailbox has one or
// two: its extended name (or, without one, its name) and its alias.

#include <string>

namespace mailbox {

struct DirectoryRow {
    std::string name;   // as spoken, Latin-1 as the server holds it
    std::string number; // the mailbox
    std::string typeText; // "Default", "Extended" or "Alias", from the module
    std::string enableText;  // the module's "Y" or empty
    std::string homonymText; // likewise
    std::string key;         // the number and which name: unique per row
    bool enable = false;     // enabled for speech recognition
    bool homonym = false;
};

} // namespace mailbox
