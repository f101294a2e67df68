// zaxctl's inputs that come from files: a snapshot to restore or compare, and
// a CSV of mailboxes to import. The first byte picks which; the rest is the
// file. A snapshot is planned against the demo office (and the plan applied
// to an in-memory copy of it) and compared with the office's own snapshot; a
// CSV is checked row by row. A bad file must end in a clear refusal, never a
// crash or a read out of bounds.
#include "SimConnection.h"
#include "SimModel.h"
#include "ctl/MailboxCsv.h"
#include "ctl/Restore.h"
#include "ctl/Snapshot.h"
#include "ctl/SnapshotDiff.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

constexpr int kInputsPerOffice = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static std::unique_ptr<zaxsim::SimModel> model;
    static ctl::Json office;
    static int inputs = 0;
    if (!model || ++inputs % kInputsPerOffice == 0) {
        model = std::make_unique<zaxsim::SimModel>(zaxsim::MakeDemoState());
        zaxsim::SimConnection reader(*model, 1);
        office = ctl::TakeSnapshot(reader, model->state().systemInfo);
    }
    zaxsim::SimConnection connection(*model, 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 1) == 0) {
        try {
            const ctl::Json wanted = ctl::ParseSnapshot(text);
            (void)ctl::DiffSnapshots(office, wanted);
            // Planned against the office as it was built: the writes of
            // earlier inputs have moved the server on since, as another
            // administrator's would, and are answered with its statuses.
            std::ostringstream out;
            ctl::ApplyRestore(ctl::PlanRestore(connection, office, wanted), out);
        } catch (const ctl::RecordJsonError&) { // refused with a reason
        } catch (const ctl::Json::exception&) { // a value of the wrong kind
        }
    } else {
        std::istringstream in(text);
        std::vector<zax::MailboxRecord> existing;
        for (const auto& [number, mailbox] : model->state().mailboxes)
            existing.push_back(mailbox.record);
        (void)ctl::PlanMailboxImport(ctl::ParseCsv(in), model->state().systemInfo, existing);
    }
    return 0;
}
