// The Options page (169): alternate extensions, message waiting and call
// screening, which only make sense for a mailbox with an extension.
#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxOptions.h"

namespace mailbox {
namespace {

using namespace OptionsCtl;
using zax::MailboxRecord;

class CPageMbxOptions : public ui::FormPage<Ui::CPageMbxOptions, MailboxPage> {
public:
    explicit CPageMbxOptions(const PageContext& c) : FormPage(ui::DialogId::PageMbxOptions, c) {
        using namespace ui::StringId;
        using ui::bind::Check;
        Bind({
            Alternate(Alternate1, &MailboxRecord::AlternateExtension1, InvalidAlternateExtension1),
            Alternate(Alternate2, &MailboxRecord::AlternateExtension2, InvalidAlternateExtension2),
            Check(MessageWaiting, &MailboxRecord::MessageWaiting, int16_t{1}, int16_t{0}),
            Check(CallScreening, &MailboxRecord::CallScreening, uint8_t{1}, uint8_t{0}),
        });
    }

    void UpdateControlStates() override {
        const bool hasExtension = HasExtension();
        if (!hasExtension) {
            SetChecked(MessageWaiting, false);
            SetControlText(Alternate1, {});
        }
        // The second alternate follows the first: never one without the other.
        const bool secondAllowed = hasExtension && !ControlText(Alternate1).isEmpty();
        if (!secondAllowed)
            SetControlText(Alternate2, {});
        EnableControl(Alternate1, hasExtension);
        EnableControl(MessageWaiting, hasExtension);
        EnableControl(Alternate2, secondAllowed);
        if (IsType({zax::MailboxType::ServerSubscriber4}))
            HideControls({Alternate1Label, Alternate1, Alternate2Label, Alternate2, CallScreening});
    }

    // The extension may have changed on the General page meanwhile.
    void OnSetActive() override { UpdateControlStates(); }

private:
    bool HasExtension() const { return Record().Extension[0] != '\0'; }

    // An alternate extension: empty, or a mailbox number; always empty
    // without an extension of the mailbox's own.
    ui::Binding<MailboxRecord> Alternate(int control, char (MailboxRecord::*field)[8],
                                         int message) {
        const int length = System().ExtensionLength;
        return ui::bind::Rule<MailboxRecord>(
            control, message,
            [this, control, field, length](MailboxRecord& r, const ui::ControlAccess& host) {
                const QString text = HasExtension() ? host.ControlText(control) : QString();
                const std::string bytes = ui::RecordBytes(text);
                if (!bytes.empty() && core::CheckMailboxNumber(bytes, length) != core::FieldValid)
                    return false;
                ui::SetRecordText(r.*field, text);
                return true;
            },
            [control, field](const MailboxRecord& r, ui::ControlAccess& host) {
                host.SetControlText(control, ui::RecordText(r.*field));
            });
    }
};

} // namespace

MailboxPage* MakeOptionsPage(const PageContext& context) {
    return new CPageMbxOptions(context);
}

} // namespace mailbox
