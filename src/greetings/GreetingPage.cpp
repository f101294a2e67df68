#include "greetings/GreetingPage.h"

#include "greetings/GreetingIds.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"

namespace greetings {

bool GreetingPage::EditTablePrompt(PromptFamily family, int16_t kind, int captionStringId) {
    if (!context_.editPrompt) {
        ui::ShowMessage(ui::LanguageModule::String(GreetingString::RecordingUnavailable));
        return false;
    }
    return context_.editPrompt(context_.session, this,
                               PromptRef{family, Record().TableNumber, kind, captionStringId});
}

} // namespace greetings
