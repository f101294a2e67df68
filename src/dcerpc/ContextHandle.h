#pragma once
// NDR context handles: 20 opaque bytes (an attribute word and a UUID); all
// zeros is the null handle. The server keeps a table of live handles per
// association and runs them down when the association's connection closes.

#include "dcerpc/Ndr.h"
#include "dcerpc/Uuid.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace dcerpc {

struct ContextHandle {
    uint32_t attributes = 0;
    Uuid uuid;
    bool IsNull() const { return attributes == 0 && uuid.IsNil(); }
    friend bool operator==(const ContextHandle&, const ContextHandle&) = default;
};

inline void WriteContextHandle(NdrWriter& w, const ContextHandle& h) {
    w.U32(h.attributes);
    w.Guid(h.uuid);
}
inline ContextHandle ReadContextHandle(NdrReader& r) {
    ContextHandle h;
    h.attributes = r.U32();
    h.uuid = r.Guid();
    return h;
}

using AssociationId = uint64_t;

class ContextHandleTable {
public:
    using Rundown = std::function<void()>;
    // Creates a live handle owned by the association; `rundown` runs if the
    // association ends while the handle is still live.
    ContextHandle Create(AssociationId owner, uint32_t kind, Rundown rundown);
    // True when the handle is live, belongs to `owner` and is of `kind`.
    bool IsLive(const ContextHandle& h, AssociationId owner, uint32_t kind) const;
    // Destroys a handle without running it down (the procedure closed it).
    void Destroy(const ContextHandle& h);
    // Runs down and destroys every handle of the association.
    void RundownAssociation(AssociationId owner);
    size_t size() const;

private:
    struct Entry {
        AssociationId owner;
        uint32_t kind;
        Rundown rundown;
    };
    static uint64_t Key(const ContextHandle& h);
    mutable std::mutex mutex_;
    std::map<uint64_t, Entry> live_;
    uint64_t counter_ = 0;
};

} // namespace dcerpc
