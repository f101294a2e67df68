#pragma once
// A dialing translation pair as the entry dialog edits it: the input digit
// string (the key, up to 14 digits) and the output that replaces it (up to
// 15). Either may be empty, never both. A list row shows an empty value as
// "*".

#include "server/Procedure.h"
#include "server/Records.h"

#include <string>

namespace lists {

struct TranslationPair {
    char Input[zax::TranslationInputSize];
    char Output[zax::TranslationOutputSize];
};

// How a list row shows an empty value, and reads it back.
inline constexpr char kEmptyValue[] = "*";
inline std::string ShownValue(const std::string& value) {
    return value.empty() ? kEmptyValue : value;
}
inline std::string ValueShown(const std::string& shown) {
    return shown == kEmptyValue ? std::string() : shown;
}

// The fixed strings the translation and Centrex procedures carry.
template <size_t N> zax::Chars<N> CharsOf(const std::string& text) {
    zax::Chars<N> chars{};
    text.copy(chars.data(), std::min(text.size(), N - 1));
    return chars;
}
template <size_t N> std::string TextOf(const zax::Chars<N>& chars) {
    size_t n = 0;
    while (n < N && chars[n] != '\0')
        ++n;
    return std::string(chars.data(), n);
}

} // namespace lists
