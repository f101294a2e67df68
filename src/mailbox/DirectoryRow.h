#pragma once
// One spoken name of the speech recognition directory. A mailbox has one or
// two: its extended name (or, without one, its name) and its alias. Rows
// are kept small (a directory can hold tens of thousands): the texts of the
// type and flag columns come from the dialog, not from every row.

#include <cstdint>
#include <string>
#include <string_view>

namespace mailbox {

struct DirectoryRow {
    enum Kind : std::uint8_t { Default, Extended, Alias };

    std::string name; // as spoken, Latin-1 as the server holds it
    std::string key;  // the mailbox number, "/" and the kind's letter: unique per row
    Kind kind = Default;
    bool enable = false; // enabled for speech recognition
    bool homonym = false;

    std::string_view Number() const { return std::string_view(key).substr(0, key.size() - 2); }
};

} // namespace mailbox
