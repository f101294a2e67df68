// The ZAX dispatcher behind the real runtime: which faults tell the client
// that the procedure never ran (so the retry proxy may send the call again),
// and which do not.

#include "UnservedServer.h"
#include "dcerpc/ClientAssociation.h"
#include "dcerpc/RpcServer.h"
#include "server/ZaxService.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace zax;

namespace {

// Counts the procedures that actually ran.
class CountingServer : public zaxsim::UnservedServer {
public:
    explicit CountingServer(int& runs) : runs_(runs) {}
    ServerStatus GetMailbox(MailboxRecord&) override {
        ++runs_;
        return 0;
    }
    ServerStatus ResetStatistics() override {
        ++runs_;
        zaxsim::ThrowUnserved(35); // raised from inside the procedure
    }

private:
    int& runs_;
};

} // namespace

TEST(DispatchFaults, OnlyFaultsRaisedBeforeTheProcedureRunsAreFlaggedNotExecuted) {
    int runs = 0;
    ZaxService service(
        [&runs](dcerpc::AssociationId) { return std::make_unique<CountingServer>(runs); });
    dcerpc::RpcServer server;
    server.AddInterface(&service);
    const uint16_t port = server.Listen("127.0.0.1", 0);
    server.Start();
    dcerpc::ClientAssociation client("127.0.0.1", ZaxInterfaceSyntax(), [port] { return port; });
    client.SetTimeouts({std::chrono::seconds(5), std::chrono::seconds(5)});

    const std::vector<uint8_t> truncated = {1, 2, 3}; // GetMailbox needs a whole record
    struct Case {
        const char* what;
        uint16_t opnum;
        std::vector<uint8_t> stub;
        uint32_t status;
        bool notExecuted;
        int runs; // procedures run by this call
    } cases[] = {
        {"an opnum the catalogue skips", 34, {}, dcerpc::RpcStatus::ProcNumOutOfRange, true, 0},
        {"an opnum past the catalogue", 97, {}, dcerpc::RpcStatus::ProcNumOutOfRange, true, 0},
        {"a request that cannot be decoded", 9, truncated, dcerpc::RpcStatus::ProtocolError, true,
         0},
        {"a fault raised by the procedure", 35, {}, dcerpc::RpcStatus::ProcNumOutOfRange, false, 1},
    };
    for (auto& c : cases) {
        const int before = runs;
        try {
            client.Call(c.opnum, c.stub);
            ADD_FAILURE() << c.what << ": no fault";
        } catch (const dcerpc::RpcError& e) {
            EXPECT_EQ(e.status(), c.status) << c.what;
            EXPECT_TRUE(e.isFault()) << c.what;
            EXPECT_EQ(e.didNotExecute(), c.notExecuted) << c.what;
        }
        EXPECT_EQ(runs - before, c.runs) << c.what;
    }
    server.Stop();
}
