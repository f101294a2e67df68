#include "dcerpc/ContextHandle.h"

#include <random>
#include <vector>

namespace dcerpc {

uint64_t ContextHandleTable::Key(const ContextHandle& h) {
    uint64_t k = 0;
    for (int i = 0; i < 8; ++i)
        k = (k << 8) | h.uuid.rest[static_cast<size_t>(i)];
    return k;
}

ContextHandle ContextHandleTable::Create(AssociationId owner, uint32_t kind, Rundown rundown) {
    std::lock_guard lock(mutex_);
    static thread_local std::mt19937 rng{std::random_device{}()};
    ContextHandle h;
    // A random prefix keeps handles of different server runs apart; the
    // counter makes them unique within a run.
    h.uuid.timeLow = static_cast<uint32_t>(rng());
    h.uuid.timeMid = static_cast<uint16_t>(kind);
    h.uuid.timeHiAndVersion = 0x4000;
    uint64_t k = ++counter_ | (static_cast<uint64_t>(rng() & 0xffff) << 48);
    for (int i = 7; i >= 0; --i) {
        h.uuid.rest[static_cast<size_t>(i)] = static_cast<uint8_t>(k);
        k >>= 8;
    }
    live_[Key(h)] = Entry{owner, kind, std::move(rundown)};
    return h;
}

bool ContextHandleTable::IsLive(const ContextHandle& h, AssociationId owner, uint32_t kind) const {
    std::lock_guard lock(mutex_);
    auto it = live_.find(Key(h));
    return it != live_.end() && it->second.owner == owner && it->second.kind == kind &&
           h.uuid.timeMid == kind;
}

void ContextHandleTable::Destroy(const ContextHandle& h) {
    std::lock_guard lock(mutex_);
    live_.erase(Key(h));
}

void ContextHandleTable::RundownAssociation(AssociationId owner) {
    std::vector<Rundown> toRun;
    {
        std::lock_guard lock(mutex_);
        for (auto it = live_.begin(); it != live_.end();) {
            if (it->second.owner == owner) {
                toRun.push_back(std::move(it->second.rundown));
                it = live_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& r : toRun)
        if (r)
            r();
}

size_t ContextHandleTable::size() const {
    std::lock_guard lock(mutex_);
    return live_.size();
}

} // namespace dcerpc
