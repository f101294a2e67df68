#include "server/ZaxService.h"

#include "dcerpc/RpcError.h"
#include "server/Marshal.h"

#include <array>

namespace zax {

namespace {
using Handler = void (*)(VoiceMailServer&, dcerpc::NdrReader&, dcerpc::NdrWriter&);

constexpr auto kHandlers = [] {
    std::array<Handler, 97> table{};
#define ZAX_HANDLER(op, name, R, retry, n, ...)                                                    \
    table[op] = [](VoiceMailServer& s, dcerpc::NdrReader& in, dcerpc::NdrWriter& out) {            \
        marshal::ServeCall<ZAX_PROC(op, R, __VA_ARGS__)>(                                          \
            in, out, [&s](auto&&... a) { return s.name(a...); });                                  \
    };
    ZAX_CATALOGUE(ZAX_HANDLER)
#undef ZAX_HANDLER
    return table;
}();
} // namespace

void DispatchProcedure(VoiceMailServer& server, uint16_t opnum, dcerpc::NdrReader& in,
                       dcerpc::NdrWriter& out) {
    if (opnum >= kHandlers.size() || !kHandlers[opnum])
        throw dcerpc::RpcFault{dcerpc::NcaStatus::OpRangeError, true};
    try {
        kHandlers[opnum](server, in, out);
    } catch (const dcerpc::RpcError& e) {
        // What the procedure itself raised as a transport-level condition
        // becomes the matching fault. The procedure has run by now, so none of
        // these says "not executed" (a request that could not be decoded was
        // already answered as such by ServeCall).
        switch (e.status()) {
        case dcerpc::RpcStatus::ProcNumOutOfRange:
            throw dcerpc::RpcFault{dcerpc::NcaStatus::OpRangeError};
        case dcerpc::RpcStatus::InvalidHandle:
            throw dcerpc::RpcFault{dcerpc::NcaStatus::ContextMismatch};
        case dcerpc::RpcStatus::CallFailed:
            throw dcerpc::DropConnection{};
        default:
            throw;
        }
    }
}

void ZaxService::Dispatch(const dcerpc::CallContext& ctx, uint16_t opnum, dcerpc::NdrReader& in,
                          dcerpc::NdrWriter& out) {
    auto it = servers_.find(ctx.association);
    if (it == servers_.end())
        it = servers_.emplace(ctx.association, factory_(ctx.association)).first;
    DispatchProcedure(*it->second, opnum, in, out);
}

void ZaxService::AssociationClosed(dcerpc::AssociationId id) {
    servers_.erase(id);
}

} // namespace zax
