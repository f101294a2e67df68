#include "network/RouteChoice.h"

#include "core/EntryChecks.h"
#include "ui/RecordText.h"

namespace network {

bool ReadRoute(const ui::ControlAccess& host, const RouteControls& c, const zax::SystemInfo& system,
               bool pool, Route& route) {
    const std::string text = ui::RecordBytes(host.ControlText(pool ? c.poolNumber : c.lineNumber));
    int value = 0;
    const core::FieldCheckResult result =
        pool ? core::CheckPoolNumber(text, system.MaxPoolNumber, value)
             : core::CheckLineNumber(text, system.MaxLineNumber, value);
    if (result != core::FieldValid)
        return false;
    route.kind = static_cast<int16_t>(pool ? zax::RouteKind::Pool : zax::RouteKind::Line);
    route.number = static_cast<int16_t>(value);
    return true;
}

void ShowRoute(ui::ControlAccess& host, const RouteControls& c, int16_t kind, int16_t number) {
    const bool pool = kind == static_cast<int16_t>(zax::RouteKind::Pool);
    host.SetChecked(pool ? c.pool : c.line, true);
    host.SetChecked(pool ? c.line : c.pool, false);
    // Nothing to show for no number (a site being added).
    host.SetControlText(pool ? c.poolNumber : c.lineNumber,
                        number != 0 ? QString::number(number) : QString());
    host.SetControlText(pool ? c.lineNumber : c.poolNumber, QString());
}

void EnableRouteNumber(ui::ControlAccess& host, const RouteControls& c) {
    const bool pool = host.IsChecked(c.pool);
    host.EnableControl(c.poolNumber, pool);
    host.EnableControl(c.lineNumber, !pool);
}

void ChooseRoute(ui::ControlAccess& host, const RouteControls& c, int radio) {
    EnableRouteNumber(host, c);
    host.FocusControl(radio == c.pool ? c.poolNumber : c.lineNumber);
}

} // namespace network
