#pragma once
// The pieces the demo state is assembled from, shared by the demo files.

#include "SimState.h"

#include <cstddef>
#include <type_traits>

namespace zaxsim::demo {

inline constexpr uint8_t GroupListLeadingDigit = 9;

template <class E> constexpr auto N(E e) {
    return static_cast<std::underlying_type_t<E>>(e);
}

// The greeting tables with the CCR trees they refer to, and the recordings.
void FillAttendant(SimState& s);
// Operator, fax, system, dialing and voice parameters; translations and restrictions.
void FillParameters(SimState& s);
void FillClid(SimState& s);
// Networking parameters, blocking periods and sites.
void FillNetworking(SimState& s);
// A week's traffic counted for every mailbox and answered line (DemoStatistics.cpp).
void FillStatistics(SimState& s);

} // namespace zaxsim::demo
