// A hostile client's requests to the simulated server: a sequence of
// (opnum, stub) pairs decoded and run through the same dispatcher zaxsim
// serves its connections with, against the demo office held in memory, on
// a connection that has opened the administration session. Nothing may
// crash or read out of bounds; a request that cannot be decoded is refused
// with a fault, as on the wire.
#include "SimConnection.h"
#include "SimModel.h"
#include "dcerpc/Ndr.h"
#include "dcerpc/Pdu.h"
#include "dcerpc/RpcError.h"
#include "dcerpc/RpcServer.h"
#include "server/ZaxService.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// Building the demo office for every input would be most of the time spent,
// so one office serves a run of inputs and is built afresh every so often:
// changes pile up for a while, as on a server in use, but never for long.
constexpr int kInputsPerOffice = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::unique_ptr<zaxsim::SimModel> model;
    static int inputs = 0;
    if (!model || ++inputs % kInputsPerOffice == 0)
        model = std::make_unique<zaxsim::SimModel>(zaxsim::MakeDemoState());
    zaxsim::SimConnection connection(*model, 1);
    zax::SessionHandle session;
    connection.OpenSession(session);

    size_t at = 0;
    // Each call: opnum (1 byte), byte order (1 bit of the next), stub length
    // (2 bytes), stub.
    for (int calls = 0; calls < 16 && at + 4 <= size; ++calls) {
        const uint16_t opnum = data[at];
        const bool bigEndian = (data[at + 1] & 1) != 0;
        size_t length = static_cast<size_t>(data[at + 2]) | static_cast<size_t>(data[at + 3]) << 8;
        at += 4;
        if (length > size - at)
            length = size - at;
        const std::span<const uint8_t> stub(data + at, length);
        at += length;
        dcerpc::NdrReader in(stub, bigEndian);
        dcerpc::NdrWriter out(bigEndian);
        try {
            zax::DispatchProcedure(connection, opnum, in, out);
        } catch (const dcerpc::RpcFault&) {      // refused, as on the wire
        } catch (const dcerpc::DropConnection&) { // the connection would close
            break;
        } catch (const dcerpc::RpcError&) {      // answered with a protocol error
        }
    }
    return 0;
}
