#pragma once
// The ways the program shows messages. Texts come from the active language
// module; the boxes run through the hooks of UiHooks.h.

#include <QString>

namespace ui {

inline constexpr int kStyleWarning = 48;  // exclamation icon, "OK" only
inline constexpr int kStyleQuestion = 32; // question icon, "OK" and "Cancel"
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;

// Shows text in the program's message box; returns kAnswerOk or kAnswerCancel
// (closing the box counts as Cancel).
int ShowMessage(const QString& text, int style = kStyleWarning);

// Shows string messageId as a warning. For "Server Error" (61216) the status is
// appended as ", rc = N", N the status as an unsigned 16-bit number; any other
// message is shown without the status.
int ShowStatusMessage(int messageId, long status = 0);

// Shows the "unexpected error" text with code (signed decimal) in the
// platform's standard box: caption the program title, no icon, one "OK".
void ShowUnexpectedError(long code);

// Shows text in the platform's standard box with the program title as caption
// ("Error loading ..." at start-up and on a language change).
void ShowStandardMessage(const QString& text);

} // namespace ui
