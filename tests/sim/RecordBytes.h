#pragma once
// Field-wise comparison of wire records: the bytes of every visited field,
// never the padding between them, whose contents mean nothing.

#include <cstdint>
#include <vector>

namespace zaxsim::test {

template <class R> std::vector<uint8_t> FieldBytes(const R& record) {
    std::vector<uint8_t> out;
    VisitFields(record, [&](const auto& field) {
        const auto* p = reinterpret_cast<const uint8_t*>(&field);
        out.insert(out.end(), p, p + sizeof field);
    });
    return out;
}

template <class R> bool SameRecord(const R& a, const R& b) {
    return FieldBytes(a) == FieldBytes(b);
}

} // namespace zaxsim::test
