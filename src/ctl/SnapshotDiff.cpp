#include "ctl/SnapshotDiff.h"

#include <set>

namespace ctl {

namespace {

struct SectionLabel {
    std::string_view section;
    std::string_view label;
};

// Sections in the order a snapshot holds them, with what one of their
// objects is called; a fixed table's objects are numbered from 1.
constexpr SectionLabel kSections[] = {
    {"system", "system"},
    {"systemParameters", "system parameters"},
    {"operator", "operator settings"},
    {"fax", "fax parameters"},
    {"networking", "networking"},
    {"blockingPeriods", "blocking periods"},
    {"dialingParameters", "dialing parameters"},
    {"voiceDialing", "voice dialing"},
    {"attendant", "auto-attendant parameters"},
    {"lines", "line"},
    {"greetingTables", "greeting table"},
    {"classesOfService", "class of service"},
    {"sites", "site"},
    {"mailboxes", "mailbox"},
    {"groupLists", "group list"},
    {"clid", "CLID entry"},
    {"translations", "translation"},
    {"centrexRestrictions", "Centrex restriction"},
};

// Sections whose value is one object rather than a table of them.
bool IsSingleRecord(std::string_view section) {
    return section == "system" || section == "systemParameters" || section == "operator" ||
           section == "fax" || section == "networking" || section == "blockingPeriods" ||
           section == "dialingParameters" || section == "voiceDialing" || section == "attendant";
}

void Describe(const std::string& path, const Json& before, const Json& after,
              std::vector<std::string>& parts) {
    if (before == after)
        return;
    if (before.is_object() && after.is_object()) {
        for (const auto& [key, value] : before.items()) {
            const std::string sub = path.empty() ? key : path + "." + key;
            Describe(sub, value, after.contains(key) ? after[key] : Json(), parts);
        }
        for (const auto& [key, value] : after.items())
            if (!before.contains(key))
                Describe(path.empty() ? key : path + "." + key, Json(), value, parts);
        return;
    }
    // Arrays are positional (days, periods), except a group list's members,
    // which are a set.
    const bool isSet = path.ends_with("Members");
    if (before.is_array() && after.is_array() && before.size() == after.size() && !isSet) {
        for (size_t i = 0; i < before.size(); ++i)
            Describe(path + "[" + std::to_string(i) + "]", before[i], after[i], parts);
        return;
    }
    if (before.is_array() && after.is_array()) {
        // What left the set and what came.
        std::multiset<std::string> left, came;
        for (const auto& v : before)
            left.insert(v.dump());
        for (const auto& v : after)
            came.insert(v.dump());
        std::string removed, added;
        for (const auto& v : left)
            if (!came.contains(v))
                removed += (removed.empty() ? "" : ", ") + v;
        for (const auto& v : came)
            if (!left.contains(v))
                added += (added.empty() ? "" : ", ") + v;
        if (!removed.empty())
            parts.push_back(path + " removed " + removed);
        if (!added.empty())
            parts.push_back(path + " added " + added);
        return;
    }
    const auto shown = [](const Json& v) { return v.is_null() ? std::string("(none)") : v.dump(); };
    parts.push_back(path + " " + shown(before) + " → " + shown(after));
}

void DiffTable(std::string_view section, std::string_view label, const Json& a, const Json& b,
               std::vector<std::string>& lines) {
    const auto line = [&](const std::string& key, const std::string& text) {
        lines.push_back(std::string(label) + " " + key + ": " + text);
    };
    // The Centrex restrictions are a set of digit strings; the other arrays
    // are tables numbered from 1.
    const bool isSet = section == "centrexRestrictions";
    if (a.is_array() && b.is_array() && !isSet) {
        for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
            const std::string key = std::to_string(i + 1);
            if (i >= a.size())
                line(key, "added");
            else if (i >= b.size())
                line(key, "removed");
            else if (const std::string text = DescribeChanges(a[i], b[i]); !text.empty())
                line(key, text);
        }
        return;
    }
    if (a.is_array() && b.is_array()) {
        const auto text = [](const Json& v) {
            return v.is_string() ? v.get<std::string>() : v.dump();
        };
        std::set<std::string> left, came;
        for (const auto& v : a)
            left.insert(text(v));
        for (const auto& v : b)
            came.insert(text(v));
        for (const auto& v : left)
            if (!came.contains(v))
                line(v, "removed");
        for (const auto& v : came)
            if (!left.contains(v))
                line(v, "added");
        return;
    }
    // By key through an index: a search of the document for each key would
    // go through every member before it.
    const Keyed left(a), right(b);
    std::set<std::string> keys(left.keys().begin(), left.keys().end());
    keys.insert(right.keys().begin(), right.keys().end());
    for (const std::string& key : keys) {
        if (!left.contains(key))
            line(key, "added");
        else if (!right.contains(key))
            line(key, "removed");
        else if (left[key].is_object() || right[key].is_object()) {
            if (const std::string text = DescribeChanges(left[key], right[key]); !text.empty())
                line(key, text);
        } else if (left[key] != right[key]) {
            line(key, left[key].dump() + " → " + right[key].dump());
        }
    }
}

} // namespace

std::string DescribeChanges(const Json& before, const Json& after) {
    std::vector<std::string> parts;
    Describe("", before, after, parts);
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string ObjectLabel(std::string_view section) {
    for (const auto& s : kSections)
        if (s.section == section)
            return std::string(s.label);
    return std::string(section);
}

std::vector<std::string> DiffSnapshots(const Json& a, const Json& b) {
    std::vector<std::string> lines;
    for (const auto& s : kSections) {
        const std::string key(s.section);
        const bool inA = a.contains(key), inB = b.contains(key);
        if (!inA && !inB)
            continue;
        if (inA != inB) {
            lines.push_back(std::string(s.label) + ": only in " +
                            (inA ? "the first" : "the second"));
            continue;
        }
        if (IsSingleRecord(s.section)) {
            if (const std::string text = DescribeChanges(a[key], b[key]); !text.empty())
                lines.push_back(std::string(s.label) + ": " + text);
        } else {
            DiffTable(s.section, s.label, a[key], b[key], lines);
        }
    }
    return lines;
}

} // namespace ctl
