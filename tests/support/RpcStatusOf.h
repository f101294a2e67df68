#pragma once
// The RPC status of the transport failure a call raises, 0 when it raises none.
#include "dcerpc/RpcError.h"

#include <cstdint>
#include <functional>

namespace testsupport {

inline uint32_t StatusOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const dcerpc::RpcError& e) {
        return e.status();
    }
    return 0;
}

} // namespace testsupport
