#include "dcerpc/EndpointMapper.h"
#include "dcerpc/RpcError.h"

#include <gtest/gtest.h>

using namespace dcerpc;

namespace {
const SyntaxId kZax{Uuid::Parse("00000000-ae90-1970-afc5-02608cac9709"), 40300, 0};
}

TEST(EndpointMapper, TcpTowerHasFiveFloorsIn75Bytes) {
    auto t = BuildTcpTower(kZax, 0x1234, 0x7f000001);
    ASSERT_EQ(t.size(), 75u);
    EXPECT_EQ(t[0], 5);
    EXPECT_EQ(t[4], 0x0D);
    // floor 4 carries the port big-endian, floor 5 the address in network order
    EXPECT_EQ((std::vector<uint8_t>(t.end() - 16, t.end())),
              (std::vector<uint8_t>{0x01, 0x00, 0x07, 0x02, 0x00, 0x12, 0x34, 0x01, 0x00, 0x09,
                                    0x04, 0x00, 0x7f, 0x00, 0x00, 0x01}));
    ParsedTower p = ParseTower(t);
    EXPECT_EQ(p.iface, kZax);
    EXPECT_EQ(p.port, 0x1234);
    EXPECT_EQ(p.ipv4, 0x7f000001u);
}

TEST(EndpointMapper, TruncatedTowerIsRejected) {
    auto t = BuildTcpTower(kZax, 80, 0x7f000001);
    for (size_t n : {size_t(1), size_t(10), size_t(74)}) {
        std::vector<uint8_t> cut(t.begin(), t.begin() + static_cast<long>(n));
        EXPECT_THROW(ParseTower(cut), RpcError) << n;
    }
}

TEST(EndpointMapper, MapsRegisteredInterfacesOnly) {
    EndpointMapperService epm;
    epm.Register(kZax, 40001, 0x7f000001);
    RpcServer server;
    server.AddInterface(&epm);
    uint16_t epmPort = server.Listen("127.0.0.1", 0);
    server.Start();
    EXPECT_EQ(EptMap("127.0.0.1", epmPort, kZax), 40001);
    SyntaxId otherVersion = kZax;
    otherVersion.major = 1;
    try {
        EptMap("127.0.0.1", epmPort, otherVersion);
        FAIL() << "an unregistered version must not map";
    } catch (const RpcError& e) {
        EXPECT_EQ(e.status(), RpcStatus::ServerUnavailable);
    }
    server.Stop();
    try {
        EptMap("127.0.0.1", epmPort, kZax);
        FAIL() << "a stopped mapper must not answer";
    } catch (const RpcError& e) {
        EXPECT_EQ(e.status(), RpcStatus::ServerUnavailable);
    }
}

TEST(EndpointMapper, PortComesFromTheEnvironmentWhenSet) {
    setenv("ZAXMGR_EPM_PORT", "13500", 1);
    EXPECT_EQ(EndpointMapperPort(), 13500);
    setenv("ZAXMGR_EPM_PORT", "junk", 1);
    EXPECT_EQ(EndpointMapperPort(), 135);
    unsetenv("ZAXMGR_EPM_PORT");
    EXPECT_EQ(EndpointMapperPort(), 135);
}
