#pragma once
// The state as text for a person (zaxsim --dump-state): one block per
// record, headed by the table it is stored in and its key, one field per
// line under the name of its column. Text is quoted, with bytes outside
// printable ASCII written as \xHH; recordings are summarised by length.

#include "SimState.h"

#include <ostream>

namespace zaxsim {

void DumpState(const SimState& state, std::ostream& out);

} // namespace zaxsim
