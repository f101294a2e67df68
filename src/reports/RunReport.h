#pragma once
// The one operation behind every report command: the server prepares the
// report and prints it, or returns its text, which is written to
// "REPORT.nnn" in the current directory and opened in the default editor.

#include "reports/ReportsIds.h"
#include "server/Procedure.h"

#include <string>

namespace zax {
struct Session;
}

namespace reports {

// The argument of every report but one mailbox's activity: eight zero bytes.
inline constexpr zax::Chars<8> kAllEntries{};

// "REPORT." followed by the number in three digits.
std::string ReportFileName(ReportNumber number);

// How a run ended; every failure has been shown to the administrator.
enum class ReportOutcome {
    Printed, // destination 0: the server prints it
    Shown,   // written and the editor started
    EditorNotStarted,
    Failed,        // a server status, an empty report or a file that could not be written
    ProgramEnding, // a transport failure; the program is ending
};

// Requests report `number` for the session's destination and, when the text
// comes back, writes it and starts the session's default editor on it.
ReportOutcome RunReport(zax::Session& session, ReportNumber number,
                        const zax::Chars<8>& argument = kAllEntries);

// "Reset Statistics?"; on OK the server resets them and says so.
void ResetStatistics(zax::Session& session);

} // namespace reports
