#pragma once
// One client's view of the simulated server: the procedures as the server
// answers them for the association the client is connected on. Procedures
// not yet simulated answer as an unserved operation number.

#include "SimModel.h"
#include "UnservedServer.h"

namespace zaxsim {

// Statuses the simulated server answers with.
inline constexpr zax::ServerStatus StatusNotInitialized = 31012;
inline constexpr zax::ServerStatus StatusSessionActive = 31020;
inline constexpr int16_t CompatibilityLevel = 16;

class SimConnection : public UnservedServer {
public:
    SimConnection(SimModel& model, dcerpc::AssociationId association);
    ~SimConnection() override;
    SimConnection(const SimConnection&) = delete;
    SimConnection& operator=(const SimConnection&) = delete;

    zax::ServerStatus OpenSession(zax::SessionHandle& handle) override;
    zax::ServerStatus CloseSession(zax::SessionHandle& handle) override;
    zax::ServerStatus GetSystemInfo(zax::SystemInfo& info) override;
    void KeepAlive() override;

protected:
    SimModel& model_;
    dcerpc::AssociationId association_;
};

} // namespace zaxsim
