#pragma once
// Every recorded name and prompt of a server as files in the server's own
// voice format: DIR/names/<mailbox>.<ext>, DIR/attendant/table<N>-<kind>.<ext>
// and DIR/speech/table<N>-<kind>.<ext>, with <ext> oki or sbc.

#include "ctl/Snapshot.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ctl {

// Saves what is recorded; returns how many files were written. A refused
// transfer throws ServerRefused; a file that cannot be written throws
// std::runtime_error naming it.
size_t SavePrompts(zax::VoiceMailServer& server, const std::vector<std::string>& mailboxes,
                   const std::filesystem::path& dir, const Progress& progress = {});

} // namespace ctl
