#pragma once
// Small helpers the list dialogs of this folder share: texts of the active
// language module as record bytes (the lists compare and show bytes), and
// the digit rules of the keyed tables.

#include "ui/LanguageModule.h"
#include "ui/RecordText.h"

#include <string>
#include <string_view>

namespace lists {

// A module text as the bytes a list row holds (the modules' texts are Latin-1).
inline std::string ModuleBytes(int stringId) {
    return ui::RecordBytes(ui::LanguageModule::String(stringId));
}

// `min` to `max` decimal digits (min 0: empty allowed).
inline bool IsDigits(std::string_view text, size_t min, size_t max) {
    return text.size() >= min && text.size() <= max &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace lists
