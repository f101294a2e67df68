#pragma once
// The simulated server's one model: its state, the administration session,
// the live context handles, and persistence of every change.

#include "SimState.h"
#include "dcerpc/ContextHandle.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace zaxsim {

// Kinds of context handle the server hands out.
inline constexpr uint32_t SessionHandleKind = 1;
inline constexpr uint32_t TransferHandleKind = 2;

class SimModel {
public:
    // With a state file every change is saved to it atomically.
    explicit SimModel(SimState state,
                      std::optional<std::filesystem::path> stateFile = std::nullopt);

    SimState& state() { return state_; }
    const SimState& state() const { return state_; }
    // Call after every change of the state.
    void Changed();

    dcerpc::ContextHandleTable& handles() { return handles_; }

    // The association that holds the administration session, if any.
    std::optional<dcerpc::AssociationId> sessionOwner() const { return sessionOwner_; }
    bool SessionHeldByOther(dcerpc::AssociationId who) const {
        return sessionOwner_ && *sessionOwner_ != who;
    }
    void SetSessionOwner(std::optional<dcerpc::AssociationId> who) { sessionOwner_ = who; }

    // Drops everything an association held (its session, its transfers).
    void ReleaseAssociation(dcerpc::AssociationId who) { handles_.RundownAssociation(who); }

private:
    SimState state_;
    std::optional<std::filesystem::path> stateFile_;
    dcerpc::ContextHandleTable handles_;
    std::optional<dcerpc::AssociationId> sessionOwner_;
};

} // namespace zaxsim
