#pragma once
// The texts of one language module, parsed from its source files: the string
// table, the dialog texts and menu 2. Parsing is kept apart from resource
// registration so that it can be checked without a module file.

#include <QString>

#include <map>
#include <utility>
#include <vector>

namespace ui {

struct MenuEntry {
    enum class Kind { Popup, Command, Separator };
    Kind kind = Kind::Command;
    int id = 0; // command id; 0 for popups and separators
    QString text;
    std::vector<MenuEntry> children; // popups only
};

struct LanguageTables {
    std::map<int, QString> strings;
    std::map<std::pair<int, int>, QString> dialogTexts; // (dialog id, control id)
    std::vector<MenuEntry> menu;                        // top level of menu 2
};

// Turns "\n", "\t" and "\\" into the characters they stand for.
QString UnescapeText(const QString& text);

// Each parser appends to the tables and returns the 1-based number of the first
// malformed line, or 0 when every line was understood.
int ParseStringTable(const QString& source, std::map<int, QString>& strings);
int ParseDialogTexts(const QString& source, std::map<std::pair<int, int>, QString>& texts);
int ParseMenu(const QString& source, std::vector<MenuEntry>& menu);

} // namespace ui
