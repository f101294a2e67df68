// Feeds arbitrary bodies to the reader of the earlier state-file format.
// The header (magic, version, length, checksum) is made to fit the body so
// that the bytes reach the record decoding rather than stopping at the
// checksum; an input starting with 'R' is given to the reader as it is.
#include "StateFile.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file;
    if (size > 0 && data[0] == 'R') {
        file.assign(data + 1, data + size);
    } else {
        const std::span<const uint8_t> body(data, size);
        file = {'Z', 'A', 'X', 'S', 'T', 'A', 'T', 'E'};
        PutU32(file, 1);
        PutU32(file, static_cast<uint32_t>(size));
        PutU32(file, zaxsim::StateFileChecksum(body));
        file.insert(file.end(), data, data + size);
    }
    try {
        zaxsim::DecodeStateFile(file);
    } catch (const std::runtime_error&) {
        // refused with a reason: what the reader is for
    }
    return 0;
}
