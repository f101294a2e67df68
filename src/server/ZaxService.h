#pragma once
// The server end of the ZAX interface: decodes each request through the
// catalogue and hands it to the VoiceMailServer that serves the calling
// association. Each association gets its own server object (its session,
// enumerations and transfers), made by a factory and dropped when the
// association's connection closes.

#include "dcerpc/RpcServer.h"
#include "server/VoiceMailServer.h"

#include <functional>
#include <map>
#include <memory>

namespace zax {

class ZaxService : public dcerpc::ServerInterface {
public:
    using Factory = std::function<std::unique_ptr<VoiceMailServer>(dcerpc::AssociationId)>;
    explicit ZaxService(Factory factory) : factory_(std::move(factory)) {}

    dcerpc::SyntaxId Syntax() const override { return ZaxInterfaceSyntax(); }
    void Dispatch(const dcerpc::CallContext& ctx, uint16_t opnum, dcerpc::NdrReader& in,
                  dcerpc::NdrWriter& out) override;
    void AssociationClosed(dcerpc::AssociationId id) override;

private:
    Factory factory_;
    std::map<dcerpc::AssociationId, std::unique_ptr<VoiceMailServer>> servers_;
};

// Decodes one request for `opnum`, runs it on `server` and encodes the reply.
// Throws dcerpc::RpcFault, flagged "not executed", for an opnum outside the
// catalogue or a request that cannot be decoded.
void DispatchProcedure(VoiceMailServer& server, uint16_t opnum, dcerpc::NdrReader& in,
                       dcerpc::NdrWriter& out);

} // namespace zax
