#pragma once
// Times of day as the administrator sees them: with the active language
// module's AM and PM texts, or in 24-hour form where the module has none.

#include <QString>

namespace ui {

QString FormatTimeForDisplay(int seconds);
// False when the text is no time of day.
bool ParseTimeFromDisplay(const QString& text, int& seconds);
// Whether the active module shows times in 12-hour form: it has both an AM
// and a PM text.
bool UsesTwelveHourClock();

} // namespace ui
