#pragma once
// Base of the greeting-table sheet's pages: each edits part of the one
// GreetingTableRecord the sheet owns. The pages with prompt recordings open
// the Voice dialog through the sheet's prompt editor.

#include "greetings/PromptEditor.h"
#include "server/Records.h"
#include "ui/RecordPage.h"

namespace zax {
struct Session;
}

namespace greetings {

// What every page is made with.
struct PageContext {
    zax::GreetingTableRecord& record;
    zax::Session& session;
    const EditPrompt& editPrompt; // empty: recording is not available
};

class GreetingPage : public ui::BoundPage<zax::GreetingTableRecord> {
    Q_OBJECT
public:
    GreetingPage(int templateId, const PageContext& context)
        : BoundPage(templateId, context.record), context_(context) {
        // A page never shown has nothing wrong with it: its part of the
        // record goes back as it was read.
        SetValid(true);
    }

protected:
    const PageContext& Context() const { return context_; }
    // Opens the Voice dialog on one of this table's prompts; true when the
    // prompt is recorded afterwards. Without a prompt editor, says so and
    // answers false.
    bool EditTablePrompt(PromptFamily family, int16_t kind, int captionStringId);

private:
    PageContext context_;
};

// The pages, in tab order.
GreetingPage* MakeNumbersPage(const PageContext& context);
GreetingPage* MakeHoursPage(const PageContext& context);
GreetingPage* MakeAnswerPage(const PageContext& context);
GreetingPage* MakeSpeechRecPage(const PageContext& context);

} // namespace greetings
