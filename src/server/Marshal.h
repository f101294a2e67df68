#pragma once
// Turns a catalogue declaration into request and reply bodies, for both
// ends: the client stub (Invoke) and the server side (ServeCall). Every
// count and length read from the wire is checked against what was asked for.

#include "dcerpc/ClientAssociation.h"
#include "dcerpc/RpcError.h"
#include "server/Procedure.h"
#include "server/Wire.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zax {

// Something that carries one request body to the server and brings its reply back.
class RpcChannel {
public:
    virtual ~RpcChannel() = default;
    virtual dcerpc::CallReply Call(uint16_t opnum, std::span<const uint8_t> stub) = 0;
};

namespace marshal {

using dcerpc::NdrReader;
using dcerpc::NdrWriter;
using dcerpc::ProtocolError;

// The largest array a server allocates for an [out] array sized by the client.
inline constexpr int64_t MaxServerArray = 1 << 20;

template <class V> int64_t ValueOf(const V& v) {
    if constexpr (std::is_integral_v<std::remove_cvref_t<V>>)
        return static_cast<int64_t>(v);
    else
        return -1;
}

template <class K> struct KindTraits { static constexpr bool isIn = false, isOut = false; };
template <class T> struct KindTraits<In<T>> { static constexpr bool isIn = true, isOut = false; };
template <class T> struct KindTraits<Out<T>> { static constexpr bool isIn = false, isOut = true; };
template <class T> struct KindTraits<InOut<T>> { static constexpr bool isIn = true, isOut = true; };

// ---- client side -----------------------------------------------------------

template <class T, int N, class Args>
void PutInConf(NdrWriter& w, const Args& args, std::span<const T> a) {
    int64_t count = ValueOf(std::get<N - 1>(args));
    if (count < 0 || static_cast<uint64_t>(count) > a.size())
        throw std::invalid_argument("array shorter than its count parameter");
    w.U32(static_cast<uint32_t>(count));
    if constexpr (wire::ByteLike<T>)
        w.Bytes(a.data(), static_cast<size_t>(count));
    else
        for (int64_t i = 0; i < count; ++i)
            wire::Put(w, a[static_cast<size_t>(i)]);
}

template <class K> struct ClientParam {
    template <class Args, class A> static void Request(NdrWriter& w, const Args&, const A& a) {
        if constexpr (KindTraits<K>::isIn)
            wire::Put(w, a);
    }
    template <class Args, class A> static void Reply(NdrReader& r, const Args&, A& a) {
        if constexpr (KindTraits<K>::isOut)
            wire::Get(r, a);
    }
};
template <class T, int N> struct ClientParam<InConf<T, N>> {
    template <class Args>
    static void Request(NdrWriter& w, const Args& args, std::span<const T> a) {
        PutInConf<T, N>(w, args, a);
    }
    template <class Args, class A> static void Reply(NdrReader&, const Args&, A&) {}
};
template <class T, int N> struct ClientParam<OutConf<T, N>> {
    template <class Args, class A> static void Request(NdrWriter&, const Args&, const A&) {}
    template <class Args> static void Reply(NdrReader& r, const Args& args, std::span<T> a) {
        int64_t cap = ValueOf(std::get<N - 1>(args));
        uint32_t max = r.U32();
        if (cap < 0 || max > static_cast<uint64_t>(cap) || max > a.size())
            throw ProtocolError("array count " + std::to_string(max) +
                                " above the capacity asked for");
        for (uint32_t i = 0; i < max; ++i)
            wire::Get(r, a[i]);
    }
};
template <class T, int C, int L> struct ClientParam<OutVarying<T, C, L>> {
    template <class Args, class A> static void Request(NdrWriter&, const Args&, const A&) {}
    template <class Args> static void Reply(NdrReader& r, const Args& args, std::span<T> a) {
        int64_t cap = ValueOf(std::get<C - 1>(args));
        int64_t len = ValueOf(std::get<L - 1>(args));
        uint32_t max = r.U32();
        uint32_t offset = r.U32();
        uint32_t actual = r.U32();
        if (cap < 0 || max > static_cast<uint64_t>(cap) || max > a.size())
            throw ProtocolError("array maximum " + std::to_string(max) +
                                " above the capacity asked for");
        if (offset != 0 || actual > max)
            throw ProtocolError("array length " + std::to_string(actual) + " above its maximum");
        if (static_cast<int64_t>(actual) != len)
            throw ProtocolError("array length differs from the length returned");
        if constexpr (wire::ByteLike<T>)
            r.Bytes(a.data(), actual);
        else
            for (uint32_t i = 0; i < actual; ++i)
                wire::Get(r, a[i]);
    }
};

template <class R> ResultOf<R> ReadResult(NdrReader& r) {
    if constexpr (std::is_same_v<R, ShortResult>)
        return r.U16();
    else if constexpr (std::is_same_v<R, LongResult>)
        return r.U32();
}

template <class P, class... A> ResultOf<typename P::Result> Invoke(RpcChannel& channel, A&&... a) {
    static_assert(sizeof...(A) == P::arity);
    using Kinds = typename P::Kinds;
    auto args = std::forward_as_tuple(a...);
    NdrWriter w;
    [&]<size_t... I>(std::index_sequence<I...>) {
        (ClientParam<std::tuple_element_t<I, Kinds>>::Request(w, args, std::get<I>(args)), ...);
    }
    (std::make_index_sequence<P::arity>{});
    dcerpc::CallReply reply = channel.Call(P::opnum, w.bytes());
    NdrReader r(reply.stub, reply.bigEndian);
    [&]<size_t... I>(std::index_sequence<I...>) {
        (ClientParam<std::tuple_element_t<I, Kinds>>::Reply(r, args, std::get<I>(args)), ...);
    }
    (std::make_index_sequence<P::arity>{});
    return ReadResult<typename P::Result>(r);
}

// ---- server side -----------------------------------------------------------

template <class K> struct ServerParam;
template <class T> struct ServerParam<In<T>> {
    using Storage = T;
    template <class S> static void Read(NdrReader& r, const S&, Storage& v) { wire::Get(r, v); }
    template <class S> static void Prepare(const S&, Storage&) {}
    static ArgOf<In<T>> View(Storage& v) { return v; }
    template <class S> static void Write(NdrWriter&, const S&, const Storage&) {}
};
template <class T> struct ServerParam<Out<T>> {
    using Storage = T;
    template <class S> static void Read(NdrReader&, const S&, Storage&) {}
    template <class S> static void Prepare(const S&, Storage&) {}
    static T& View(Storage& v) { return v; }
    template <class S> static void Write(NdrWriter& w, const S&, const Storage& v) {
        wire::Put(w, v);
    }
};
template <class T> struct ServerParam<InOut<T>> : ServerParam<Out<T>> {
    using Storage = T;
    template <class S> static void Read(NdrReader& r, const S&, Storage& v) { wire::Get(r, v); }
};
template <class T, int N> struct ServerParam<InConf<T, N>> {
    using Storage = std::vector<T>;
    template <class S> static void Read(NdrReader& r, const S& s, Storage& v) {
        uint32_t count = r.U32();
        if (static_cast<int64_t>(count) != ValueOf(std::get<N - 1>(s)))
            throw ProtocolError("array count differs from its size parameter");
        r.CheckedCount(count, static_cast<uint32_t>(MaxServerArray), 1);
        v.resize(count);
        if constexpr (wire::ByteLike<T>)
            r.Bytes(v.data(), count);
        else
            for (auto& e : v)
                wire::Get(r, e);
    }
    template <class S> static void Prepare(const S&, Storage&) {}
    static std::span<const T> View(Storage& v) { return v; }
    template <class S> static void Write(NdrWriter&, const S&, const Storage&) {}
};
template <class T> void SizeOutArray(std::vector<T>& v, int64_t n) {
    if (n < 0 || n > MaxServerArray)
        throw ProtocolError("array size parameter out of range");
    v.assign(static_cast<size_t>(n), T{});
}
template <class T, int N> struct ServerParam<OutConf<T, N>> {
    using Storage = std::vector<T>;
    template <class S> static void Read(NdrReader&, const S&, Storage&) {}
    template <class S> static void Prepare(const S& s, Storage& v) {
        SizeOutArray(v, ValueOf(std::get<N - 1>(s)));
    }
    static std::span<T> View(Storage& v) { return v; }
    template <class S> static void Write(NdrWriter& w, const S&, const Storage& v) {
        w.U32(static_cast<uint32_t>(v.size()));
        for (const auto& e : v)
            wire::Put(w, e);
    }
};
template <class T, int C, int L> struct ServerParam<OutVarying<T, C, L>> {
    using Storage = std::vector<T>;
    template <class S> static void Read(NdrReader&, const S&, Storage&) {}
    template <class S> static void Prepare(const S& s, Storage& v) {
        SizeOutArray(v, ValueOf(std::get<C - 1>(s)));
    }
    static std::span<T> View(Storage& v) { return v; }
    template <class S> static void Write(NdrWriter& w, const S& s, const Storage& v) {
        // The length travels twice (as its own [out] value and as the actual
        // count); a procedure that reports more than fits is cut to the capacity.
        int64_t len =
            std::clamp<int64_t>(ValueOf(std::get<L - 1>(s)), 0, static_cast<int64_t>(v.size()));
        w.U32(static_cast<uint32_t>(v.size()));
        w.U32(0);
        w.U32(static_cast<uint32_t>(len));
        if constexpr (wire::ByteLike<T>)
            w.Bytes(v.data(), static_cast<size_t>(len));
        else
            for (int64_t i = 0; i < len; ++i)
                wire::Put(w, v[static_cast<size_t>(i)]);
    }
};

template <class Kinds> struct StorageTuple;
template <class... K> struct StorageTuple<std::tuple<K...>> {
    using type = std::tuple<typename ServerParam<K>::Storage...>;
};

// Reads the request of P from `in`, calls `fn` with the procedure's arguments
// and writes the reply (out values, then the result) to `out`.
template <class P, class Fn> void ServeCall(NdrReader& in, NdrWriter& out, Fn&& fn) {
    using Kinds = typename P::Kinds;
    typename StorageTuple<Kinds>::type s{};
    constexpr auto seq = std::make_index_sequence<P::arity>{};
    [&]<size_t... I>(std::index_sequence<I...>) {
        try {
            (ServerParam<std::tuple_element_t<I, Kinds>>::Read(in, s, std::get<I>(s)), ...);
            // Out arrays are sized only after every [in] value is known.
            (ServerParam<std::tuple_element_t<I, Kinds>>::Prepare(s, std::get<I>(s)), ...);
        } catch (const dcerpc::RpcError&) {
            // Nothing has run yet: the client may safely send the call again.
            throw dcerpc::RpcFault{dcerpc::NcaStatus::ProtoError, true};
        }
        if constexpr (std::is_same_v<typename P::Result, NoResult>) {
            fn(ServerParam<std::tuple_element_t<I, Kinds>>::View(std::get<I>(s))...);
            (ServerParam<std::tuple_element_t<I, Kinds>>::Write(out, s, std::get<I>(s)), ...);
        } else {
            auto result = fn(ServerParam<std::tuple_element_t<I, Kinds>>::View(std::get<I>(s))...);
            (ServerParam<std::tuple_element_t<I, Kinds>>::Write(out, s, std::get<I>(s)), ...);
            wire::Put(out, result);
        }
    }
    (seq);
}

} // namespace marshal
} // namespace zax
