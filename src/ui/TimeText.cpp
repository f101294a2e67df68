#include "ui/TimeText.h"

#include "core/TimeOfDay.h"
#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

#include <string>

namespace ui {
namespace {

// The AM and PM texts of the active module, empty where it has none.
struct ActiveDesignators {
    std::string am = Designator(StringId::Am);
    std::string pm = Designator(StringId::Pm);
    core::TimeDesignators View() const { return {am, pm}; }

    static std::string Designator(int id) {
        return LanguageModule::HasString(id) ? LanguageModule::String(id).toStdString()
                                             : std::string();
    }
};

} // namespace

QString FormatTimeForDisplay(int seconds) {
    return QString::fromStdString(
        core::FormatTimeOfDay(seconds, false, ActiveDesignators().View()));
}

bool ParseTimeFromDisplay(const QString& text, int& seconds) {
    return core::ParseTimeOfDay(text.toStdString(), ActiveDesignators().View(), seconds);
}

bool UsesTwelveHourClock() {
    const ActiveDesignators designators;
    return !designators.am.empty() && !designators.pm.empty();
}

} // namespace ui
