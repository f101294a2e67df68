// The Speech Rec page (174): whether callers may say the mailbox's name, and
// the extended name and alias they may say.
#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxSR.h"

namespace mailbox {
namespace {

using namespace SpeechCtl;
using zax::MailboxRecord;

// Empty, or 1 to 40 letters, digits, blanks, apostrophes and underscores.
bool IsSpokenName(const std::string& text) {
    return text.empty() || core::CheckWords(text, 1, 40) == core::FieldValid;
}

class CPageMbxSR : public ui::FormPage<Ui::CPageMbxSR, MailboxPage> {
public:
    explicit CPageMbxSR(const PageContext& c) : FormPage(ui::DialogId::PageMbxSR, c) {
        using namespace ui::StringId;
        const uint8_t enabled = 0;
        const uint8_t disabled = 1;
        Bind({
            ui::bind::Check(Enable, &MailboxRecord::SpeechDisabled, enabled, disabled),
            ui::bind::Text(ExtendedName, &MailboxRecord::ExtendedName, InvalidExtendedName,
                           IsSpokenName),
            ui::bind::Text(Alias, &MailboxRecord::Alias, InvalidSpeechRecAlias, IsSpokenName),
        });
    }
};

} // namespace

MailboxPage* MakeSpeechRecPage(const PageContext& context) {
    return new CPageMbxSR(context);
}

} // namespace mailbox
