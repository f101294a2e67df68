#include "ui/Messages.h"

#include "ui/LanguageModule.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include <cstdint>

namespace ui {

int ShowMessage(const QString& text, int style) {
    return Hooks().messageBox(text, style);
}

int ShowStatusMessage(int messageId, long status) {
    QString text = LanguageModule::String(messageId);
    if (messageId == StringId::ServerError) {
        text += QStringLiteral(", rc = %1").arg(static_cast<std::uint16_t>(status));
    }
    return ShowMessage(text, kStyleWarning);
}

void ShowUnexpectedError(long code) {
    const QString text = LanguageModule::String(StringId::UnexpectedError)
                             .replace(QStringLiteral("%1"), QString::number(code));
    Hooks().standardBox(LanguageModule::String(StringId::ProgramTitle), text,
                        StandardBoxIcon::None);
}

void ShowStandardMessage(const QString& text) {
    Hooks().standardBox(LanguageModule::String(StringId::ProgramTitle), text,
                        StandardBoxIcon::None);
}

} // namespace ui
