#include "SimConnection.h"

#include "dcerpc/RpcError.h"

namespace zaxsim {

SimConnection::SimConnection(SimModel& model, dcerpc::AssociationId association)
    : model_(model), association_(association) {}

SimConnection::~SimConnection() {
    model_.ReleaseAssociation(association_);
}

zax::ServerStatus SimConnection::OpenSession(zax::SessionHandle& handle) {
    // One administration session at a time, whoever holds it — even this
    // association a second time.
    if (model_.sessionOwner())
        return StatusSessionActive;
    SimModel* model = &model_;
    static_cast<dcerpc::ContextHandle&>(handle) = model_.handles().Create(
        association_, SessionHandleKind, [model] { model->SetSessionOwner(std::nullopt); });
    model_.SetSessionOwner(association_);
    return 0;
}

zax::ServerStatus SimConnection::CloseSession(zax::SessionHandle& handle) {
    if (!model_.handles().IsLive(handle, association_, SessionHandleKind))
        throw dcerpc::RpcError(dcerpc::RpcStatus::InvalidHandle, "unknown session handle");
    model_.handles().Destroy(handle);
    model_.SetSessionOwner(std::nullopt);
    handle = zax::SessionHandle{};
    return 0;
}

zax::ServerStatus SimConnection::GetSystemInfo(zax::SystemInfo& info) {
    if (model_.SessionHeldByOther(association_))
        return StatusSessionActive;
    info = model_.state().systemInfo;
    return 0;
}

void SimConnection::KeepAlive() {}

} // namespace zaxsim
