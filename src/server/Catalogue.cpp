#include "server/Catalogue.h"

#include <array>

namespace zax {

namespace {
constexpr auto kNames = [] {
    std::array<const char*, 97> names{};
#define ZAX_NAME(op, name, ...) names[op] = #name;
    ZAX_CATALOGUE(ZAX_NAME)
#undef ZAX_NAME
    return names;
}();
} // namespace

const char* ProcedureName(uint16_t opnum) {
    return opnum < kNames.size() && kNames[opnum] ? kNames[opnum] : "?";
}

bool IsCatalogued(uint16_t opnum) {
    return opnum < kNames.size() && kNames[opnum] != nullptr;
}

} // namespace zax
