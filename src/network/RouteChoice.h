#pragma once
// The outgoing route of AMIS calls, as the AMIS dialogs offer it: a "Line"
// and a "Pool" button, each with its number box, only the chosen one's box
// enabled. The record's route kind picks the button (2 the pool, anything
// else the line) and its number goes to that button's box; the number is
// checked against the system's highest line or pool number.

#include "server/Records.h"
#include "ui/RecordBinding.h"
#include "ui/StringIds.h"

#include <cstdint>
#include <vector>

namespace network {

struct RouteControls {
    int line;
    int lineNumber;
    int pool;
    int poolNumber;
};

// The route of the checked button, or nothing when its number is refused.
struct Route {
    int16_t kind;
    int16_t number;
};
bool ReadRoute(const ui::ControlAccess& host, const RouteControls& c, const zax::SystemInfo& system,
               bool pool, Route& route);
void ShowRoute(ui::ControlAccess& host, const RouteControls& c, int16_t kind, int16_t number);

// Enables the chosen button's number box and disables the other.
void EnableRouteNumber(ui::ControlAccess& host, const RouteControls& c);
// What choosing a button does: its box enabled and focused, the other's
// disabled.
void ChooseRoute(ui::ControlAccess& host, const RouteControls& c, int radio);

// Two rows of a binding table, line then pool; each counts only while its
// button is checked and refuses with its own message.
template <class R>
std::vector<ui::Binding<R>> RouteRows(const RouteControls& c, const zax::SystemInfo& system,
                                      int16_t R::*kind, int16_t R::*number) {
    std::vector<ui::Binding<R>> rows;
    for (const bool pool : {false, true}) {
        rows.push_back(ui::bind::Rule<R>(
            pool ? c.poolNumber : c.lineNumber,
            pool ? ui::StringId::InvalidPoolNumber : ui::StringId::InvalidLineNumber,
            [c, &system, kind, number, pool](R& r, const ui::ControlAccess& host) {
                if (!host.IsChecked(pool ? c.pool : c.line))
                    return true;
                Route route{};
                if (!ReadRoute(host, c, system, pool, route))
                    return false;
                r.*kind = route.kind;
                r.*number = route.number;
                return true;
            },
            [c, kind, number, pool](const R& r, ui::ControlAccess& host) {
                if (!pool)
                    ShowRoute(host, c, r.*kind, r.*number);
            }));
    }
    return rows;
}

} // namespace network
