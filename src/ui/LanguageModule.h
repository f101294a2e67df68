#pragma once
// The active language module: the source of every visible text, menu 2, icon 2
// and bitmap 2. A module is a Qt binary resource bundle found beside the program
// (or in the current directory) under its documented file name. When none is
// loaded, the English texts compiled into this library are used.
//
// Everything here runs on the user-interface thread.

#include "ui/LanguageTables.h"

#include <QIcon>
#include <QString>

#include <vector>

namespace ui {

class LanguageModule {
public:
    // Looks the file up (program directory, then current directory), registers
    // it and makes it the active module, releasing the previous one. Returns
    // false and leaves the active module unchanged when the file is missing or
    // is not a readable module.
    static bool Load(const QString& fileName);

    // Releases the loaded module; the built-in texts become the source again.
    static void Release();

    // The file name given to the successful Load, empty while built-in.
    static QString LoadedName();

    // Full path of a file in the module search order, empty when absent.
    static QString FindFile(const QString& fileName);

    // Lookups. A text the active module lacks is taken from the built-in
    // English so that no control is ever left blank; HasString tells apart.
    static QString String(int id);
    static bool HasString(int id);
    static QString DialogText(int dialogId, int controlId);
    static bool HasDialogText(int dialogId, int controlId);
    static const std::vector<MenuEntry>& Menu(int id = 2);
    static QIcon Icon(int id = 2);
    // The pictograms of bitmap id, one per toolbar button in button order. A
    // module without them lends the built-in ones.
    static std::vector<QIcon> ToolbarImages(int id = 2);

    // Tables of the built-in English texts (the completeness reference).
    static const LanguageTables& BuiltIn();
    static const LanguageTables& Active();
};

} // namespace ui
