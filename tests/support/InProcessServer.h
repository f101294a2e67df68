#pragma once
// The simulated server's model served in-process for dialog tests: the
// dialogs talk to `server()`, which records every call (recorder()) and
// passes it through the fault plan (faults()) to the model.
#include "CallRecorder.h"
#include "FaultInjector.h"
#include "SimConnection.h"
#include "SimModel.h"

#include <memory>

namespace testsupport {

class InProcessServer {
public:
    explicit InProcessServer(zaxsim::SimState state = zaxsim::MakeDemoState())
        : model_(std::move(state)), connection_(model_, 1),
          plan_(std::make_shared<zaxsim::FaultPlan>()), injector_(connection_, plan_),
          recorder_(injector_) {}

    zax::VoiceMailServer& server() { return recorder_; }
    zaxsim::SimModel& model() { return model_; }
    zaxsim::SimState& state() { return model_.mutableState(); }
    zaxsim::CallRecorder& recorder() { return recorder_; }
    zaxsim::FaultPlan& faults() { return *plan_; }

    // Makes procedure opnum fail with a transport failure carrying rpcStatus
    // (from its nth call on when nth is 0, otherwise on the nth call only).
    void FailTransport(uint16_t opnum, uint32_t rpcStatus = 1726, uint32_t nth = 0) {
        plan_->Add({opnum, zaxsim::FaultRule::Action::Transport, rpcStatus, nth, false});
    }
    // Makes procedure opnum answer with status.
    void FailStatus(uint16_t opnum, uint32_t status, uint32_t nth = 0) {
        plan_->Add({opnum, zaxsim::FaultRule::Action::Status, status, nth, false});
    }

private:
    zaxsim::SimModel model_;
    zaxsim::SimConnection connection_;
    std::shared_ptr<zaxsim::FaultPlan> plan_;
    zaxsim::FaultInjector injector_;
    zaxsim::CallRecorder recorder_;
};

} // namespace testsupport
