// Feeds arbitrary bytes to the client's PDU and reply decoding: the common
// header, bind_ack, call fragments, towers, and the reply stubs of procedures
// with records and arrays. Nothing may crash or read out of bounds.

#include "dcerpc/EndpointMapper.h"
#include "dcerpc/Pdu.h"
#include "dcerpc/RpcError.h"
#include "server/RpcVoiceMailServer.h"

#include <cstddef>
#include <cstdint>

namespace {
class FuzzChannel : public zax::RpcChannel {
public:
    FuzzChannel(const uint8_t* d, size_t n) : data(d, d + n) {}
    dcerpc::CallReply Call(uint16_t, std::span<const uint8_t>) override {
        return {!data.empty() && (data[0] & 1),
                std::vector<uint8_t>(data.begin() + (data.empty() ? 0 : 1), data.end())};
    }
    std::vector<uint8_t> data;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    try {
        dcerpc::PduHeader h = dcerpc::DecodeHeader(bytes);
        if (h.fragLength <= size) {
            if (h.ptype == dcerpc::PType::BindAck)
                dcerpc::DecodeBindAck(h, bytes);
            else if (h.ptype == dcerpc::PType::Bind)
                dcerpc::DecodeBind(h, bytes);
            else
                dcerpc::DecodeCallFragment(h, bytes);
        }
    } catch (const dcerpc::RpcError&) {
    }
    try {
        dcerpc::ParseTower(bytes);
    } catch (const dcerpc::RpcError&) {
    }
    FuzzChannel channel(data, size);
    zax::RpcVoiceMailServer server(channel);
    auto attempt = [](auto&& f) {
        try {
            f();
        } catch (const dcerpc::RpcError&) {
        }
    };
    char text[64];
    int32_t len = 0;
    attempt([&] { server.GetReportText(64, len, std::span<char>(text)); });
    std::vector<zax::EntrySummary> batch(25);
    int16_t count = 0;
    attempt([&] { server.FindNextEntries(batch, 25, count); });
    zax::GreetingTableRecord g{};
    attempt([&] { server.GetGreetingTable(g); });
    zax::TransferHandle th;
    std::vector<uint8_t> chunk(10240);
    attempt([&] { server.ReadNameVoice(th, 10240, len, chunk); });
    zax::LineEntry lines[8];
    attempt([&] { server.GetLines(8, std::span<zax::LineEntry>(lines)); });
    return 0;
}
