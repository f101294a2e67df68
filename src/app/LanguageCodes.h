#pragma once
// The language codes the program knows, the module each one loads and the
// file whose presence offers it in the Language dialog.
#include <QString>

#include <array>

namespace app {

struct LanguageChoice {
    int code;
    const char* baseName;    // module "<base>.dll", help "<base>.hlp"/"<base>.cnt"
    const char* enablingFile; // present beside the program: the choice is offered
    int radioId;             // its radio button in the Language dialog
};

inline constexpr std::array<LanguageChoice, 5> kLanguageChoices{{
    {1, "englishus", "englishus.dll", 1002},
    {2, "frenchca", "frenchca.dll", 1003},
    {3, "spanish", "spanish.dll", 1004},
    {8, "englishuk", "englishuk.dll", 1005},
    {12, "englishus", "englishaus.dll", 1006},
}};

// The choice of a code, or null for a code the program does not know.
inline const LanguageChoice* FindLanguageChoice(int code) {
    for (const auto& choice : kLanguageChoices) {
        if (choice.code == code) {
            return &choice;
        }
    }
    return nullptr;
}

// The module loaded at start-up: every code other than 2, 3 and 8 runs in
// English (North America).
inline QString ModuleFileForCode(int code) {
    const LanguageChoice* choice = FindLanguageChoice(code);
    return QString::fromLatin1(choice ? choice->baseName : "englishus") + QStringLiteral(".dll");
}

} // namespace app
