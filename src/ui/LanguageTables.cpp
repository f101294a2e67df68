#include "ui/LanguageTables.h"

#include <QStringList>

namespace ui {
namespace {

bool IsIgnorable(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'));
}

bool ToId(const QString& field, int& id) {
    bool ok = false;
    id = field.trimmed().toInt(&ok);
    return ok && id >= 0 && id <= 0xFFFF;
}

// A line's fields; the last field keeps any further tabs (texts may hold "\t").
QStringList SplitFields(const QString& line, int count) {
    QStringList fields;
    qsizetype start = 0;
    for (int i = 1; i < count; ++i) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        if (tab < 0) {
            return {};
        }
        fields << line.mid(start, tab - start);
        start = tab + 1;
    }
    fields << line.mid(start);
    return fields;
}

QString StripLineEnd(QString line) {
    if (line.endsWith(QLatin1Char('\r'))) {
        line.chop(1);
    }
    return line;
}

} // namespace

QString UnescapeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == QLatin1Char('n')) {
            out += QLatin1Char('\n');
        } else if (next == QLatin1Char('t')) {
            out += QLatin1Char('\t');
        } else {
            out += next; // "\\" and any unknown escape keep the character itself
        }
    }
    return out;
}

int ParseStringTable(const QString& source, std::map<int, QString>& strings) {
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = StripLineEnd(lines[n]);
        if (IsIgnorable(line)) {
            continue;
        }
        const QStringList f = SplitFields(line, 2);
        int id = 0;
        if (f.size() != 2 || !ToId(f[0], id)) {
            return n + 1;
        }
        strings[id] = UnescapeText(f[1]);
    }
    return 0;
}

int ParseDialogTexts(const QString& source, std::map<std::pair<int, int>, QString>& texts) {
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = StripLineEnd(lines[n]);
        if (IsIgnorable(line)) {
            continue;
        }
        const QStringList f = SplitFields(line, 3);
        int dialog = 0;
        int control = 0;
        if (f.size() != 3 || !ToId(f[0], dialog) || !ToId(f[1], control)) {
            return n + 1;
        }
        texts[{dialog, control}] = UnescapeText(f[2]);
    }
    return 0;
}

int ParseMenu(const QString& source, std::vector<MenuEntry>& menu) {
    // Stack of the entry lists being filled; the bottom one is the menu bar.
    std::vector<std::vector<MenuEntry>*> open{&menu};
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = StripLineEnd(lines[n]);
        if (IsIgnorable(line)) {
            continue;
        }
        const QString keyword = line.section(QLatin1Char('\t'), 0, 0).trimmed();
        MenuEntry entry;
        if (keyword == QLatin1String("popup")) {
            const QStringList f = SplitFields(line, 2);
            if (f.size() != 2) {
                return n + 1;
            }
            entry.kind = MenuEntry::Kind::Popup;
            entry.text = UnescapeText(f[1]);
            open.back()->push_back(std::move(entry));
            open.push_back(&open.back()->back().children);
        } else if (keyword == QLatin1String("item")) {
            const QStringList f = SplitFields(line, 3);
            if (f.size() != 3 || !ToId(f[1], entry.id) || entry.id == 0) {
                return n + 1;
            }
            entry.text = UnescapeText(f[2]);
            open.back()->push_back(std::move(entry));
        } else if (keyword == QLatin1String("separator")) {
            entry.kind = MenuEntry::Kind::Separator;
            open.back()->push_back(std::move(entry));
        } else if (keyword == QLatin1String("end") && open.size() > 1) {
            open.pop_back();
        } else {
            return n + 1;
        }
    }
    return open.size() == 1 ? 0 : static_cast<int>(lines.size());
}

} // namespace ui
