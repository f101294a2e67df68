#include "CallRecorder.h"

#include <algorithm>
#include <span>

namespace zaxsim {

namespace {
template <class K> struct Copy {
    template <class A> static std::any Of(const A&) { return {}; }
};
template <class T> struct Copy<zax::In<T>> {
    template <class A> static std::any Of(const A& a) { return T(a); }
};
template <class T> struct Copy<zax::InOut<T>> {
    template <class A> static std::any Of(const A& a) { return T(a); }
};
template <class T, int N> struct Copy<zax::InConf<T, N>> {
    static std::any Of(std::span<const T> a) { return std::vector<T>(a.begin(), a.end()); }
};

template <class P, class... A> RecordedCall Record(const A&... a) {
    RecordedCall call;
    call.opnum = P::opnum;
    [&]<size_t... I>(std::index_sequence<I...>) {
        (call.args.push_back(Copy<std::tuple_element_t<I, typename P::Kinds>>::Of(a)), ...);
    }
    (std::make_index_sequence<P::arity>{});
    return call;
}
} // namespace

std::vector<RecordedCall> CallRecorder::CallsOf(uint16_t opnum) const {
    std::vector<RecordedCall> out;
    for (const auto& c : calls_)
        if (c.opnum == opnum)
            out.push_back(c);
    return out;
}

size_t CallRecorder::Count(uint16_t opnum) const {
    return static_cast<size_t>(std::count_if(
        calls_.begin(), calls_.end(), [opnum](const RecordedCall& c) { return c.opnum == opnum; }));
}

std::vector<uint16_t> CallRecorder::Sequence() const {
    std::vector<uint16_t> out;
    for (const auto& c : calls_)
        out.push_back(c.opnum);
    return out;
}

#define ZAXSIM_DEFINE_RECORD(op, name, R, retry, n, ...)                                           \
    zax::ResultOf<zax::R> CallRecorder::name(ZAX_PARAMS(n, __VA_ARGS__)) {                         \
        calls_.push_back(Record<ZAX_PROC(op, R, __VA_ARGS__)>(ZAX_ARGS(n)));                       \
        return inner_.name(ZAX_ARGS(n));                                                           \
    }
ZAX_CATALOGUE(ZAXSIM_DEFINE_RECORD)
#undef ZAXSIM_DEFINE_RECORD

} // namespace zaxsim
