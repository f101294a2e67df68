#pragma once
// The simulated server's one model: its state, the administration session,
// the live context handles, and the database that keeps the state.

#include "SimState.h"
#include "dcerpc/ContextHandle.h"

#include <memory>
#include <optional>

namespace zaxsim {

class StateDatabase;

// Kinds of context handle the server hands out.
inline constexpr uint32_t SessionHandleKind = 1;
inline constexpr uint32_t TransferHandleKind = 2;

class SimModel {
public:
    // A server whose state lives in memory only.
    explicit SimModel(SimState state);
    // A server whose state is loaded from `store` and every change written
    // through to it (see StateChange).
    explicit SimModel(std::unique_ptr<StateDatabase> store);
    ~SimModel();
    SimModel(const SimModel&) = delete;
    SimModel& operator=(const SimModel&) = delete;

    // What the server answers from. Procedures change it only through a
    // StateChange, which keeps it and the database in step.
    const SimState& state() const { return state_; }
    // For setting up a server in memory (tests): edits made here bypass the
    // database.
    SimState& mutableState() { return state_; }
    StateDatabase* store() { return store_.get(); }

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
    std::unique_ptr<StateDatabase> store_;
    SimState state_;
    dcerpc::ContextHandleTable handles_;
    std::optional<dcerpc::AssociationId> sessionOwner_;
};

} // namespace zaxsim
