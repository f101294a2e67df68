#pragma once
// Report numbers, the control ids of the report dialogs (the forms carry
// them, the language modules key their texts by them) and the string-table
// entries only the reports show.

#include <cstdint>

namespace reports {

// The server's report numbers, one per command of the Reports menu.
enum class ReportNumber : int16_t {
    Directory = 1,
    MailboxInformation = 2,
    GroupList = 3,
    MessageUsage = 4,
    MailboxActivity = 5,
    Clid = 6,
    DnTranslation = 7,
    Alarm = 8,
    CcrTree = 9,
    PortUsage = 10,
    SystemConfiguration = 11,
    FaxRequests = 12,
    ClassOfService = 13,
    SystemParameters = 14,
    SpeechRecognition = 15,
};

// Mailbox Activity Report (dialog 153).
namespace ActivityCtl {
inline constexpr int PrintLabel = 1451; // "Print:"
inline constexpr int AllMailboxes = 1132;
inline constexpr int OneMailbox = 1089;
inline constexpr int MailboxNumber = 1044;
} // namespace ActivityCtl

// Print Destination (dialog 165).
namespace DestinationCtl {
inline constexpr int Group = 1000; // "Print Report To"
inline constexpr int Printer = 1163;
inline constexpr int Locally = 1005;
} // namespace DestinationCtl

// Select Default Editor (dialog 127).
namespace EditorCtl {
inline constexpr int Label = 1450;
inline constexpr int Editor = 1167;
} // namespace EditorCtl

namespace ReportsString {
// Followed by the full path of a report file that could not be written.
inline constexpr int ReportNotWritten = 260;
} // namespace ReportsString

} // namespace reports
