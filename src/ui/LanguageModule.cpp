#include "ui/LanguageModule.h"

#include "ui/SvgIcon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmapCache>
#include <QResource>

#include <memory>

// Q_INIT_RESOURCE must not be used inside a namespace.
static void InitBuiltInLanguage() {
    Q_INIT_RESOURCE(builtin_lang);
}

namespace ui {
namespace {

// The built-in English is compiled in under this root; loaded modules are
// registered under "/lang<n>", a fresh root per load so that the new module
// can be checked before the old one is given up.
const QString kBuiltInRoot = QStringLiteral(":/builtin-lang");

struct LoadedModule {
    QString name;    // as given to Load
    QString path;    // exact string used for registration
    QString mapRoot; // registration root, "/langN"
    LanguageTables tables;
};

struct State {
    std::unique_ptr<LanguageTables> builtIn;
    std::unique_ptr<LoadedModule> loaded;
    int serial = 0;
};

State& Modules() {
    static State state;
    return state;
}

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

// Parses the text files of a module under prefix (":/builtin-lang" or ":/langN").
// A module without a string table, or with a malformed file, is not usable.
bool ReadTables(const QString& prefix, LanguageTables& tables) {
    const QString strings = ReadText(prefix + QStringLiteral("/strings.txt"));
    if (strings.isEmpty()) {
        return false;
    }
    return ParseStringTable(strings, tables.strings) == 0 &&
           ParseDialogTexts(ReadText(prefix + QStringLiteral("/dialogs.txt")),
                            tables.dialogTexts) == 0 &&
           ParseMenu(ReadText(prefix + QStringLiteral("/menu2.txt")), tables.menu) == 0;
}

void EnsureBuiltIn() {
    State& s = Modules();
    if (!s.builtIn) {
        InitBuiltInLanguage();
        s.builtIn = std::make_unique<LanguageTables>();
        ReadTables(kBuiltInRoot, *s.builtIn);
    }
}

// Bitmap id of the module under prefix: "bitmap<id>/00.svg", "01.svg", ... up
// to the first number missing. Empty when the module has none.
std::vector<QIcon> ReadToolbarImages(const QString& prefix, int id) {
    std::vector<QIcon> images;
    for (int n = 0;; ++n) {
        const QString path = QStringLiteral("%1/bitmap%2/%3.svg")
                                 .arg(prefix)
                                 .arg(id)
                                 .arg(n, 2, 10, QLatin1Char('0'));
        if (!QFile::exists(path)) {
            return images;
        }
        images.push_back(SvgIcon(path));
    }
}

QString ActivePrefix() {
    const State& s = Modules();
    return s.loaded ? QLatin1Char(':') + s.loaded->mapRoot : kBuiltInRoot;
}

} // namespace

const LanguageTables& LanguageModule::BuiltIn() {
    EnsureBuiltIn();
    return *Modules().builtIn;
}

const LanguageTables& LanguageModule::Active() {
    EnsureBuiltIn();
    const State& s = Modules();
    return s.loaded ? s.loaded->tables : *s.builtIn;
}

QString LanguageModule::FindFile(const QString& fileName) {
    const QString dirs[] = {QCoreApplication::applicationDirPath(), QDir::currentPath()};
    for (const QString& dir : dirs) {
        const QFileInfo info(QDir(dir), fileName);
        if (info.isFile()) {
            return info.absoluteFilePath();
        }
    }
    return {};
}

bool LanguageModule::Load(const QString& fileName) {
    EnsureBuiltIn();
    const QString path = FindFile(fileName);
    if (path.isEmpty()) {
        return false;
    }
    State& s = Modules();
    auto next = std::make_unique<LoadedModule>();
    next->name = fileName;
    next->path = path;
    next->mapRoot = QStringLiteral("/lang%1").arg(++s.serial);
    if (!QResource::registerResource(next->path, next->mapRoot)) {
        return false;
    }
    if (!ReadTables(QLatin1Char(':') + next->mapRoot, next->tables)) {
        QResource::unregisterResource(next->path, next->mapRoot);
        return false;
    }
    Release();
    s.loaded = std::move(next);
    return true;
}

void LanguageModule::Release() {
    State& s = Modules();
    if (s.loaded) {
        QResource::unregisterResource(s.loaded->path, s.loaded->mapRoot);
        s.loaded.reset();
    }
    // Pixmaps of the released module must not be served from the cache.
    if (QCoreApplication::instance() != nullptr) {
        QPixmapCache::clear();
    }
}

QString LanguageModule::LoadedName() {
    const State& s = Modules();
    return s.loaded ? s.loaded->name : QString();
}

bool LanguageModule::HasString(int id) {
    return Active().strings.count(id) != 0;
}

QString LanguageModule::String(int id) {
    const auto& active = Active().strings;
    if (auto it = active.find(id); it != active.end()) {
        return it->second;
    }
    const auto& fallback = BuiltIn().strings;
    auto it = fallback.find(id);
    return it != fallback.end() ? it->second : QString();
}

bool LanguageModule::HasDialogText(int dialogId, int controlId) {
    return Active().dialogTexts.count({dialogId, controlId}) != 0;
}

QString LanguageModule::DialogText(int dialogId, int controlId) {
    const auto& active = Active().dialogTexts;
    if (auto it = active.find({dialogId, controlId}); it != active.end()) {
        return it->second;
    }
    const auto& fallback = BuiltIn().dialogTexts;
    auto it = fallback.find({dialogId, controlId});
    return it != fallback.end() ? it->second : QString();
}

const std::vector<MenuEntry>& LanguageModule::Menu(int id) {
    static const std::vector<MenuEntry> none;
    return id == 2 ? Active().menu : none;
}

QIcon LanguageModule::Icon(int id) {
    EnsureBuiltIn();
    const QString name = QStringLiteral("/icon%1.svg").arg(id);
    const QIcon icon = SvgIcon(ActivePrefix() + name);
    return icon.isNull() ? SvgIcon(kBuiltInRoot + name) : icon;
}

std::vector<QIcon> LanguageModule::ToolbarImages(int id) {
    EnsureBuiltIn();
    std::vector<QIcon> images = ReadToolbarImages(ActivePrefix(), id);
    return images.empty() ? ReadToolbarImages(kBuiltInRoot, id) : images;
}

} // namespace ui
