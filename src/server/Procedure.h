#pragma once
// The vocabulary of the procedure catalogue: parameter directions, arrays
// sized by other parameters, result widths, and the C++ argument type each
// parameter kind becomes in the interface methods.

#include "dcerpc/ContextHandle.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <tuple>
#include <type_traits>

namespace zax {

// The administration session's context handle.
struct SessionHandle : dcerpc::ContextHandle {};
// The context handle of one open voice transfer.
struct TransferHandle : dcerpc::ContextHandle {};

// 16-bit status of procedures 0-78 and 80; 0 is success. Kept unsigned so
// that statuses above 32767 (65010) stay what the server sent.
using ServerStatus = uint16_t;

template <size_t N> using Chars = std::array<char, N>;

template <class T> struct In {};
template <class T> struct Out {};
template <class T> struct InOut {};
// A conformant array whose element count is the value of parameter CountParam (1-based).
template <class T, int CountParam> struct InConf {};
template <class T, int CountParam> struct OutConf {};
// A conformant varying array: capacity from parameter CapParam, length from parameter LenParam.
template <class T, int CapParam, int LenParam> struct OutVarying {};

struct ShortResult {
    using type = ServerStatus;
};
struct LongResult {
    using type = uint32_t;
};
struct NoResult {
    using type = void;
};

template <class R> using ResultOf = typename R::type;

namespace detail {
template <class K> struct Arg;
template <class T> struct Arg<In<T>> {
    using type = std::conditional_t<std::is_class_v<T>, const T&, T>;
};
template <class T> struct Arg<Out<T>> { using type = T&; };
template <class T> struct Arg<InOut<T>> { using type = T&; };
template <class T, int N> struct Arg<InConf<T, N>> { using type = std::span<const T>; };
template <class T, int N> struct Arg<OutConf<T, N>> { using type = std::span<T>; };
template <class T, int C, int L> struct Arg<OutVarying<T, C, L>> { using type = std::span<T>; };
} // namespace detail

// The C++ parameter type of a catalogue parameter kind.
template <class K> using ArgOf = typename detail::Arg<K>::type;

template <uint16_t Op, class R, class... K> struct Procedure {
    static constexpr uint16_t opnum = Op;
    using Result = R;
    using Kinds = std::tuple<K...>;
    static constexpr size_t arity = sizeof...(K);
};

} // namespace zax
