// The simulated server's general auto-attendant parameters and its line
// table. The table has one entry per line of the system (MaxLineNumber of
// GetSystemInfo); every change is stored through a StateChange.

#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>

namespace zaxsim {

namespace {

// What the server keeps of each value.
constexpr int kMaxGateGreeting = 40;
constexpr int kMaxRings = 12;

bool IsFlag(int v) {
    return v == 0 || v == 1;
}

bool IsStorableAttendant(const AttendantParameters& p) {
    return IsFlag(p.ReturnToAa) && p.GateMode <= static_cast<uint8_t>(zax::TouchtoneGate::Custom) &&
           p.GateGreeting >= 1 && p.GateGreeting <= kMaxGateGreeting;
}

bool IsStorableLine(const zax::LineEntry& e) {
    return IsFlag(e.AnswerFlag) && e.GreetingTable >= 1 &&
           e.GreetingTable <= zax::GreetingTableCount && e.Rings <= kMaxRings;
}

} // namespace

zax::ServerStatus SimConnection::GetAttendantParameters(uint8_t& returnToAa, uint8_t& gateMode,
                                                        uint8_t& gateGreeting) {
    const AttendantParameters& p = model_.state().attendant;
    returnToAa = p.ReturnToAa;
    gateMode = p.GateMode;
    gateGreeting = p.GateGreeting;
    return 0;
}

zax::ServerStatus SimConnection::SetAttendantParameters(uint8_t returnToAa, uint8_t gateMode,
                                                        uint8_t gateGreeting) {
    const AttendantParameters p{returnToAa, gateMode, gateGreeting};
    if (!IsStorableAttendant(p))
        return StatusInvalidRecord;
    StateChange change(model_);
    change.PutAttendant(p);
    return change.Commit();
}

// Lines are numbered from 1 to the system's line count; any other number is
// not one of the server's lines.
zax::ServerStatus SimConnection::GetLine(int16_t line, uint8_t& answer, int16_t& table,
                                         int16_t& rings) {
    const auto& lines = model_.state().lines;
    if (line < 1 || static_cast<size_t>(line) > lines.size())
        return StatusInvalidRecord;
    const zax::LineEntry& e = lines[static_cast<size_t>(line - 1)];
    answer = e.AnswerFlag;
    table = e.GreetingTable;
    rings = e.Rings;
    return 0;
}

zax::ServerStatus SimConnection::SetLine(int16_t line, uint8_t answer, int16_t table,
                                         int16_t rings) {
    const auto& lines = model_.state().lines;
    if (line < 1 || static_cast<size_t>(line) > lines.size())
        return StatusInvalidRecord;
    // The entry's bytes hold table and rings; values beyond them are refused
    // before they could be cut short.
    if (table < 1 || table > zax::GreetingTableCount || rings < 0 || rings > kMaxRings)
        return StatusInvalidRecord;
    const zax::LineEntry e{answer, static_cast<uint8_t>(table), static_cast<uint8_t>(rings)};
    if (!IsStorableLine(e))
        return StatusInvalidRecord;
    StateChange change(model_);
    change.PutLine(line, e);
    return change.Commit();
}

// The first `count` lines; a count above the system's lines asks for lines
// that do not exist.
zax::ServerStatus SimConnection::GetLines(int16_t count, std::span<zax::LineEntry> entries) {
    const auto& lines = model_.state().lines;
    if (count < 1 || static_cast<size_t>(count) > lines.size())
        return StatusInvalidRecord;
    const size_t n = std::min(entries.size(), static_cast<size_t>(count));
    std::copy_n(lines.begin(), n, entries.begin());
    return 0;
}

} // namespace zaxsim
