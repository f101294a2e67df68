#include "ctl/MailboxCsv.h"

#include "core/EntryChecks.h"
#include "ctl/RecordJson.h"
#include "server/MailboxDefaults.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace ctl {

using zax::MailboxRecord;
using zax::MailboxType;
using zax::OutdialKind;

namespace {

struct Named {
    int16_t code;
    const char* name;
};

constexpr Named kTypeNames[] = {
    {static_cast<int16_t>(MailboxType::Subscriber), "Subscriber"},
    {static_cast<int16_t>(MailboxType::ServerSubscriber1), "ServerSubscriber1"},
    {static_cast<int16_t>(MailboxType::Information), "Information"},
    {static_cast<int16_t>(MailboxType::ServerSubscriber3), "ServerSubscriber3"},
    {static_cast<int16_t>(MailboxType::ServerSubscriber4), "ServerSubscriber4"},
    {static_cast<int16_t>(MailboxType::FaxOnDemand), "FaxOnDemand"},
    {static_cast<int16_t>(MailboxType::FaxOverflow), "FaxOverflow"},
    {static_cast<int16_t>(MailboxType::Reserved7), "Reserved7"},
    {static_cast<int16_t>(MailboxType::Reserved8), "Reserved8"},
    {static_cast<int16_t>(MailboxType::Amis), "Amis"},
    {static_cast<int16_t>(MailboxType::Network), "Network"},
    {static_cast<int16_t>(MailboxType::ServerSubscriber11), "ServerSubscriber11"},
};

// The types an administrator creates, as the add-mailbox dialog offers them.
constexpr MailboxType kCreatableTypes[] = {MailboxType::Subscriber,  MailboxType::Information,
                                           MailboxType::FaxOnDemand, MailboxType::FaxOverflow,
                                           MailboxType::Amis,        MailboxType::Network};

constexpr Named kOutdialNames[] = {
    {static_cast<int16_t>(OutdialKind::Line), "Line"},
    {static_cast<int16_t>(OutdialKind::Pool), "Pool"},
    {static_cast<int16_t>(OutdialKind::None), "None"},
};

template <size_t N> std::string NameOf(const Named (&names)[N], int16_t code) {
    for (const auto& n : names)
        if (n.code == code)
            return n.name;
    return std::to_string(code);
}

template <size_t N> std::optional<int16_t> CodeOf(const Named (&names)[N], std::string_view text) {
    for (const auto& n : names) {
        const std::string_view name = n.name;
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            return n.code;
    }
    return std::nullopt;
}

bool IsOmittedColumn(std::string_view name) {
    return IsReservedField(name) || name == "Homonym"; // the server works it out
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool IsSystemName(std::string_view name) {
    return name == zax::SystemManagerName || name == zax::GeneralDeliveryName;
}

// The name rules of the mailbox dialog: LAST,FIRST, each part letters,
// digits and ' - _, at least one part, 16 characters in all.
constexpr size_t kMaxNameLength = 16;

bool IsValidName(const std::string& name) {
    if (IsSystemName(name))
        return true;
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    const size_t comma = name.find(',');
    const std::string last = name.substr(0, comma);
    const std::string first = comma == std::string::npos ? "" : name.substr(comma + 1);
    const auto part = [](const std::string& p) {
        return p.empty() || (p.find(',') == std::string::npos &&
                             core::CheckLabel(p, 1, kMaxNameLength) == core::FieldValid);
    };
    return part(last) && part(first) && !(last.empty() && first.empty());
}

bool IsOptionalMailboxNumber(const std::string& text, int length) {
    return text.empty() || core::CheckMailboxNumber(text, length) == core::FieldValid;
}

struct RowCheck {
    const char* column;
    const char* reason;
    std::function<bool(const MailboxRecord&, const zax::SystemInfo&)> valid;
};

// The checks of one row, in the order the dialogs check the same fields.
const std::vector<RowCheck>& RowChecks() {
    static const std::vector<RowCheck> checks = {
        {"Number", "Invalid mailbox number",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             return core::CheckMailboxNumber(zax::GetText(r.Number), i.ExtensionLength) ==
                    core::FieldValid;
         }},
        {"Name", "Invalid name (LAST,FIRST: letters, digits, ' - _, 16 characters at most)",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return IsValidName(zax::GetText(r.Name));
         }},
        {"Type", "This mailbox type cannot be created or changed here",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return std::any_of(std::begin(kCreatableTypes), std::end(kCreatableTypes),
                                [&](MailboxType t) { return static_cast<int16_t>(t) == r.Type; });
         }},
        {"ClassOfService", "Invalid class of service (1 to 16)",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.ClassOfService >= 1 && r.ClassOfService <= zax::ClassOfServiceCount;
         }},
        {"Extension", "Invalid extension",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             return IsOptionalMailboxNumber(zax::GetText(r.Extension), i.ExtensionLength);
         }},
        {"AlternateExtension1", "Invalid alternate extension",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             return IsOptionalMailboxNumber(zax::GetText(r.AlternateExtension1), i.ExtensionLength);
         }},
        {"AlternateExtension2", "Invalid alternate extension",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             return IsOptionalMailboxNumber(zax::GetText(r.AlternateExtension2), i.ExtensionLength);
         }},
        {"FaxLine", "Invalid line number",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             return r.FaxLine >= 0 && r.FaxLine <= i.MaxLineNumber;
         }},
        {"OutdialNumber", "Invalid line or pool number for the outdial kind",
         [](const MailboxRecord& r, const zax::SystemInfo& i) {
             switch (static_cast<OutdialKind>(r.OutdialKind)) {
             case OutdialKind::Line:
                 return r.OutdialNumber >= 1 && r.OutdialNumber <= i.MaxLineNumber;
             case OutdialKind::Pool:
                 return r.OutdialNumber >= 1 && r.OutdialNumber <= i.MaxPoolNumber;
             case OutdialKind::None:
                 return true;
             }
             return false;
         }},
        {"FaxRetries", "Invalid retries value (1 to 99)",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.FaxRetries >= 1 && r.FaxRetries <= 99;
         }},
        {"FaxInterval", "Invalid interval value (1 to 60)",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.FaxInterval >= 1 && r.FaxInterval <= 60;
         }},
        {"MessageWaiting", "0 or 1 expected",
         [](const MailboxRecord& r, const zax::SystemInfo&) { return r.MessageWaiting <= 1; }},
        {"Directory", "0 or 1 expected",
         [](const MailboxRecord& r, const zax::SystemInfo&) { return r.Directory <= 1; }},
        {"CallScreening", "0 or 1 expected",
         [](const MailboxRecord& r, const zax::SystemInfo&) { return r.CallScreening <= 1; }},
        {"SpeechDisabled", "0 or 1 expected",
         [](const MailboxRecord& r, const zax::SystemInfo&) { return r.SpeechDisabled <= 1; }},
        // An AMIS mailbox is reached by telephone, a network one through its
        // site; both name the mailbox at the other end.
        {"RemotePhoneNumber", "Invalid telephone number",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             std::string dialled;
             return r.RemotePhoneNumber[0] == '\0'
                        ? r.Type != static_cast<int16_t>(MailboxType::Amis)
                        : core::CheckDialString(zax::GetText(r.RemotePhoneNumber), dialled) ==
                              core::FieldValid;
         }},
        {"SitePrefix", "Invalid site prefix",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.SitePrefix[0] == '\0'
                        ? r.Type != static_cast<int16_t>(MailboxType::Network)
                        : core::CheckDigits(zax::GetText(r.SitePrefix)) == core::FieldValid;
         }},
        {"RemoteMailbox", "Invalid remote mailbox number",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             const bool needed = r.Type == static_cast<int16_t>(MailboxType::Amis) ||
                                 r.Type == static_cast<int16_t>(MailboxType::Network);
             uint16_t unused = 0;
             return r.RemoteMailbox[0] == '\0'
                        ? !needed
                        : core::CheckNumberField(zax::GetText(r.RemoteMailbox), 1, 16, false, 0, 0,
                                                 unused) == core::FieldValid;
         }},
        {"ExtendedName", "Invalid extended name",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.ExtendedName[0] == '\0' ||
                    core::CheckWords(zax::GetText(r.ExtendedName), 1, 40) == core::FieldValid;
         }},
        {"Alias", "Invalid alias",
         [](const MailboxRecord& r, const zax::SystemInfo&) {
             return r.Alias[0] == '\0' ||
                    core::CheckWords(zax::GetText(r.Alias), 1, 40) == core::FieldValid;
         }},
    };
    return checks;
}

// A cell's value as the record's JSON form takes it.
Json CellValue(const std::string& column, const std::string& cell, const Json& sample) {
    if (column == "Type") {
        if (const auto code = CodeOf(kTypeNames, cell))
            return *code;
        throw RecordJsonError("Type: unknown mailbox type \"" + cell + "\"");
    }
    if (column == "OutdialKind") {
        if (const auto code = CodeOf(kOutdialNames, cell))
            return *code;
        throw RecordJsonError("OutdialKind: \"" + cell + "\" is not Line, Pool or None");
    }
    if (sample.is_string())
        return cell;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (cell.empty() || error != std::errc() || end != cell.data() + cell.size())
        throw RecordJsonError(column + ": \"" + cell + "\" is not a whole number");
    return value;
}

} // namespace

const std::vector<std::string>& MailboxColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names;
        const MailboxRecord record{};
        zax::VisitFields(record, [&](const auto&, const char* name) {
            if (!IsOmittedColumn(name))
                names.emplace_back(name);
        });
        return names;
    }();
    return columns;
}

std::vector<std::string> MailboxCells(const MailboxRecord& record) {
    const Json j = ToJson(record);
    std::vector<std::string> cells;
    for (const std::string& column : MailboxColumns()) {
        const Json& v = j[column];
        if (column == "Type")
            cells.push_back(NameOf(kTypeNames, record.Type));
        else if (column == "OutdialKind")
            cells.push_back(NameOf(kOutdialNames, record.OutdialKind));
        else
            cells.push_back(v.is_string() ? v.get<std::string>() : v.dump());
    }
    return cells;
}

void WriteMailboxCsv(std::ostream& out, const std::vector<MailboxRecord>& records) {
    const auto row = [&](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            out << (i ? "," : "") << CsvCell(cells[i]);
        out << "\r\n";
    };
    row(MailboxColumns());
    for (const MailboxRecord& r : records)
        row(MailboxCells(r));
}

std::vector<CsvRow> ParseCsv(std::istream& in) {
    std::vector<CsvRow> rows;
    CsvRow row{1, {}};
    std::string cell;
    bool quoted = false, any = false;
    size_t line = 1;
    char c = 0;
    const auto endRow = [&] {
        row.cells.push_back(std::move(cell));
        cell.clear();
        // A blank line is no row.
        if (!(row.cells.size() == 1 && row.cells[0].empty()))
            rows.push_back(std::move(row));
        row = CsvRow{line, {}};
        any = false;
    };
    while (in.get(c)) {
        if (quoted) {
            if (c == '"') {
                if (in.peek() == '"') {
                    in.get(c);
                    cell += '"';
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                cell += c;
            }
            continue;
        }
        any = true;
        switch (c) {
        case '"':
            quoted = true;
            break;
        case ',':
            row.cells.push_back(std::move(cell));
            cell.clear();
            break;
        case '\r':
            break;
        case '\n':
            ++line;
            endRow();
            break;
        default:
            cell += c;
        }
    }
    if (any || !cell.empty() || !row.cells.empty())
        endRow();
    return rows;
}

ImportPlan PlanMailboxImport(const std::vector<CsvRow>& rows, const zax::SystemInfo& info,
                             const std::vector<MailboxRecord>& existing) {
    ImportPlan plan;
    if (rows.empty()) {
        plan.problems.push_back(
            {1, "the file is empty: a header row naming the columns is expected"});
        return plan;
    }
    const std::vector<std::string>& header = rows.front().cells;
    const std::vector<std::string>& known = MailboxColumns();
    for (const std::string& column : header)
        if (std::find(known.begin(), known.end(), column) == known.end()) {
            plan.problems.push_back({rows.front().line, "unknown column \"" + column + "\""});
            return plan;
        }
    if (std::find(header.begin(), header.end(), "Number") == header.end()) {
        plan.problems.push_back({rows.front().line, "no \"Number\" column"});
        return plan;
    }
    std::set<std::string> seenHeader;
    for (const std::string& column : header)
        if (!seenHeader.insert(column).second) {
            plan.problems.push_back({rows.front().line, "column \"" + column + "\" twice"});
            return plan;
        }
    std::map<std::string, const MailboxRecord*> byNumber;
    for (const MailboxRecord& r : existing)
        byNumber[zax::GetText(r.Number)] = &r;
    const Json sample = ToJson(MailboxRecord{});
    std::set<std::string> seen;
    for (size_t i = 1; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        try {
            if (row.cells.size() != header.size())
                throw RecordJsonError(std::to_string(row.cells.size()) +
                                      " cells where the header has " +
                                      std::to_string(header.size()));
            Json values = Json::object();
            for (size_t c = 0; c < header.size(); ++c)
                values[header[c]] = CellValue(header[c], row.cells[c], sample[header[c]]);
            const std::string number = Utf8ToLatin1(values["Number"].get<std::string>());
            if (!seen.insert(number).second)
                throw RecordJsonError("mailbox " + number + " is on an earlier row too");
            const auto found = byNumber.find(number);
            // A new mailbox starts as the dialogs start one of its type.
            const auto type = values.contains("Type")
                                  ? values["Type"].get<int16_t>()
                                  : static_cast<int16_t>(MailboxType::Subscriber);
            MailboxRecord record =
                found != byNumber.end()
                    ? *found->second
                    : zax::NewMailboxRecord(number, static_cast<MailboxType>(type));
            FromJson(values, record);
            for (const RowCheck& check : RowChecks()) {
                // A mailbox the server made keeps its type; it only may not
                // be given one.
                const bool keptType = std::string_view(check.column) == "Type" &&
                                      found != byNumber.end() && found->second->Type == record.Type;
                if (!keptType && !check.valid(record, info))
                    throw RecordJsonError(std::string(check.column) + ": " + check.reason);
            }
            plan.rows.push_back({row.line, record, found != byNumber.end()});
        } catch (const RecordJsonError& e) {
            plan.problems.push_back({row.line, e.what()});
        }
    }
    return plan;
}

} // namespace ctl
