#pragma once
// Field-by-field NDR marshalling of the interface's values: integers, fixed
// character arrays, context handles and records. A record goes out as its
// fields in order, each aligned to its own size, the record aligned to its
// largest member; padding after the last field is never sent.

#include "dcerpc/ContextHandle.h"
#include "dcerpc/Ndr.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>

namespace zax::wire {

using dcerpc::NdrReader;
using dcerpc::NdrWriter;

template <class T>
concept Record = requires(T& t) {
    VisitFields(t, [](auto&) {});
};

inline void Put(NdrWriter& w, uint8_t v) {
    w.U8(v);
}
inline void Put(NdrWriter& w, char v) {
    w.U8(static_cast<uint8_t>(v));
}
inline void Put(NdrWriter& w, int16_t v) {
    w.I16(v);
}
inline void Put(NdrWriter& w, uint16_t v) {
    w.U16(v);
}
inline void Put(NdrWriter& w, int32_t v) {
    w.I32(v);
}
inline void Put(NdrWriter& w, uint32_t v) {
    w.U32(v);
}
inline void Put(NdrWriter& w, const dcerpc::ContextHandle& h) {
    dcerpc::WriteContextHandle(w, h);
}

inline void Get(NdrReader& r, uint8_t& v) {
    v = r.U8();
}
inline void Get(NdrReader& r, char& v) {
    v = static_cast<char>(r.U8());
}
inline void Get(NdrReader& r, int16_t& v) {
    v = r.I16();
}
inline void Get(NdrReader& r, uint16_t& v) {
    v = r.U16();
}
inline void Get(NdrReader& r, int32_t& v) {
    v = r.I32();
}
inline void Get(NdrReader& r, uint32_t& v) {
    v = r.U32();
}
inline void Get(NdrReader& r, dcerpc::ContextHandle& h) {
    h = dcerpc::ReadContextHandle(r);
}

template <class T>
concept ByteLike = std::same_as<T, char> || std::same_as<T, uint8_t>;

template <Record T> void Put(NdrWriter& w, const T& rec);
template <Record T> void Get(NdrReader& r, T& rec);

template <class T, size_t N> void Put(NdrWriter& w, const T (&a)[N]) {
    if constexpr (ByteLike<T>)
        w.Bytes(a, N);
    else
        for (const auto& e : a)
            Put(w, e);
}
template <class T, size_t N> void Get(NdrReader& r, T (&a)[N]) {
    if constexpr (ByteLike<T>)
        r.Bytes(a, N);
    else
        for (auto& e : a)
            Get(r, e);
}
template <class T, size_t N> void Put(NdrWriter& w, const std::array<T, N>& a) {
    if constexpr (ByteLike<T>)
        w.Bytes(a.data(), N);
    else
        for (const auto& e : a)
            Put(w, e);
}
template <class T, size_t N> void Get(NdrReader& r, std::array<T, N>& a) {
    if constexpr (ByteLike<T>)
        r.Bytes(a.data(), N);
    else
        for (auto& e : a)
            Get(r, e);
}

template <Record T> void Put(NdrWriter& w, const T& rec) {
    w.Align(alignof(T));
    VisitFields(rec, [&w](const auto& f) { Put(w, f); });
}
template <Record T> void Get(NdrReader& r, T& rec) {
    r.Align(alignof(T));
    VisitFields(rec, [&r](auto& f) { Get(r, f); });
}

// NDR alignment of a value of type T.
template <class T> constexpr size_t AlignOf() {
    if constexpr (std::is_base_of_v<dcerpc::ContextHandle, T>)
        return 4;
    else if constexpr (std::is_array_v<T>)
        return AlignOf<std::remove_extent_t<T>>();
    else
        return alignof(T);
}

} // namespace zax::wire
