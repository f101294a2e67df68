#pragma once
// Mailboxes as a spreadsheet: one row per mailbox, one named column per
// field of the mailbox record. Types and outdial kinds are written by name.
// Import checks every row with the entry checks the mailbox dialogs apply
// before anything is written; a row is one write, so none is half-applied.

#include "server/Records.h"
#include "server/VoiceMailServer.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace ctl {

// The columns, in file order.
const std::vector<std::string>& MailboxColumns();

// One record as a row of cells, in column order.
std::vector<std::string> MailboxCells(const zax::MailboxRecord& record);

// Writes the header and one row per record.
void WriteMailboxCsv(std::ostream& out, const std::vector<zax::MailboxRecord>& records);

// Splits CSV text into rows of cells (quotes as in RFC 4180). Each row keeps
// the line its first cell starts on.
struct CsvRow {
    size_t line = 0;
    std::vector<std::string> cells;
};
std::vector<CsvRow> ParseCsv(std::istream& in);

// A row the import refuses, and why.
struct RowProblem {
    size_t line;
    std::string reason;
};

// The records a file's rows describe, each over the server's current record
// of that number when it has one (`existing`), else over an empty record.
// Every row is checked against the server's limits (`info`); the rows that
// fail are in `problems` and not in the result.
struct ImportRow {
    size_t line;
    zax::MailboxRecord record;
    bool exists;
};
struct ImportPlan {
    std::vector<ImportRow> rows;
    std::vector<RowProblem> problems;
};
ImportPlan PlanMailboxImport(const std::vector<CsvRow>& rows, const zax::SystemInfo& info,
                             const std::vector<zax::MailboxRecord>& existing);

} // namespace ctl
