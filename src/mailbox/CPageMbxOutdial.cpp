// The Outdial page (170): whether messages are delivered by dialing out, and
// through which line or pool.
#include "core/EntryChecks.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageMbxOutdial.h"

namespace mailbox {
namespace {

using namespace OutdialCtl;
using zax::MailboxRecord;
using zax::MailboxType;
using zax::OutdialKind;

constexpr int16_t Code(OutdialKind kind) {
    return static_cast<int16_t>(kind);
}

// Each choice with its number box and how the number is checked.
struct OutdialChoice {
    int radio;
    int numberBox; // 0: the choice has no number
    OutdialKind kind;
    int message;
    core::FieldCheckResult (*check)(std::string_view text, int max, int& value);
    int16_t zax::SystemInfo::*max;
};

const OutdialChoice kChoices[] = {
    {Line, LineNumber, OutdialKind::Line, ui::StringId::InvalidLineNumber, core::CheckLineNumber,
     &zax::SystemInfo::MaxLineNumber},
    {Pool, PoolNumber, OutdialKind::Pool, ui::StringId::InvalidPoolNumber, core::CheckPoolNumber,
     &zax::SystemInfo::MaxPoolNumber},
    {None, 0, OutdialKind::None, 0, nullptr, nullptr},
};

class CPageMbxOutdial : public ui::FormPage<Ui::CPageMbxOutdial, MailboxPage> {
public:
    explicit CPageMbxOutdial(const PageContext& c) : FormPage(ui::DialogId::PageMbxOutdial, c) {
        ui::BindingTable<MailboxRecord> table;
        for (const OutdialChoice& choice : kChoices)
            table.push_back(Bound(choice));
        Bind(std::move(table));
    }

    void LoadFromRecord() override {
        MailboxPage::LoadFromRecord();
        const bool chosen = IsChecked(Line) || IsChecked(Pool) || IsChecked(None);
        if (!chosen || Record().OutdialKind == Code(OutdialKind::None)) {
            // Remote mailboxes are reached by dialing: they need a line.
            const bool remote = IsType({MailboxType::Amis, MailboxType::Network});
            SetChecked(remote ? Line : None, true);
            if (remote)
                SetModified(true);
        }
    }

    void UpdateControlStates() override {
        EnableControl(LineNumber, IsChecked(Line));
        EnableControl(PoolNumber, IsChecked(Pool));
        if (IsType({MailboxType::Amis}))
            HideControls({None});
    }

    // Choosing a line or a pool takes the administrator to its number.
    void OnControlChanged(int controlId) override {
        MailboxPage::OnControlChanged(controlId);
        for (const OutdialChoice& choice : kChoices)
            if (choice.radio == controlId && choice.numberBox != 0)
                FocusControl(choice.numberBox);
    }

private:
    // The choice's radio with its number: shown when the record has that
    // kind; checked and stored when the radio is the one chosen.
    ui::Binding<MailboxRecord> Bound(const OutdialChoice& choice) {
        const zax::SystemInfo& system = System();
        const auto load = [choice](const MailboxRecord& r, ui::ControlAccess& host) {
            const bool chosen = r.OutdialKind == Code(choice.kind);
            host.SetChecked(choice.radio, chosen);
            if (chosen && choice.numberBox != 0)
                host.SetControlText(choice.numberBox, QString::number(r.OutdialNumber));
        };
        const auto store = [choice, &system](MailboxRecord& r, const ui::ControlAccess& host) {
            if (!host.IsChecked(choice.radio))
                return true;
            int number = 0;
            if (choice.check != nullptr) {
                const std::string text = ui::RecordBytes(host.ControlText(choice.numberBox));
                if (choice.check(text, system.*choice.max, number) != core::FieldValid)
                    return false;
            }
            r.OutdialKind = Code(choice.kind);
            r.OutdialNumber = static_cast<int16_t>(number);
            return true;
        };
        return ui::bind::Rule<MailboxRecord>(choice.numberBox, choice.message, store, load);
    }
};

} // namespace

MailboxPage* MakeOutdialPage(const PageContext& context) {
    return new CPageMbxOutdial(context);
}

} // namespace mailbox
