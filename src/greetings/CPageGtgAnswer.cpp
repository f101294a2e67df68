// The Answering page (177): the attendant's extension, the language offered
// first, the CCR tree that answers instead of the standard menu, and the
// custom menu prompts with their recordings.
#include "core/EntryChecks.h"
#include "greetings/GreetingIds.h"
#include "greetings/GreetingPage.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageGtgAnswer.h"

#include <QPushButton>

#include <array>

namespace greetings {
namespace {

using namespace AnswerCtl;
using zax::GreetingTableRecord;
using Row = ui::Binding<GreetingTableRecord>;

// Tree k's button, for k = 1 to 4.
constexpr std::array<int, zax::CcrTreeCount> kTreeButtons = {CcrTree1, CcrTree2, CcrTree3,
                                                             CcrTree4};

// A tree's byte in the defined field is above a space when the tree exists.
bool TreeDefined(const GreetingTableRecord& r, size_t k) {
    return static_cast<unsigned char>(r.CcrTreesDefined[k]) > 0x20;
}

// "Enable" ticked means the custom prompts are used: the record holds the inverse.
Row CustomPromptsRow() {
    return ui::bind::Rule<GreetingTableRecord>(
        CustomEnable, 0,
        [](GreetingTableRecord& r, const ui::ControlAccess& host) {
            r.StandardPrompts = host.IsChecked(CustomEnable) ? 0 : 1;
            return true;
        },
        [](const GreetingTableRecord& r, ui::ControlAccess& host) {
            host.SetChecked(CustomEnable, r.StandardPrompts == 0);
        });
}

// Any nonzero preference puts the alternate language first.
Row LanguageRow() {
    return ui::bind::Rule<GreetingTableRecord>(
        LanguagePrimary, 0,
        [](GreetingTableRecord& r, const ui::ControlAccess& host) {
            r.LanguagePreference = host.IsChecked(LanguageAlternate) ? 1 : 0;
            return true;
        },
        [](const GreetingTableRecord& r, ui::ControlAccess& host) {
            host.SetChecked(r.LanguagePreference != 0 ? LanguageAlternate : LanguagePrimary, true);
        });
}

class CPageGtgAnswer : public ui::FormPage<Ui::CPageGtgAnswer, GreetingPage> {
public:
    explicit CPageGtgAnswer(const PageContext& c) : FormPage(ui::DialogId::PageGtgAnswer, c) {
        const int length = c.session.systemInfo.ExtensionLength;
        // The checking order: the tree is stored first, then the extension is
        // checked; the rest cannot be refused.
        Bind({
            ui::bind::Radio<GreetingTableRecord, int16_t>(
                {CcrTree1, CcrTree2, CcrTree3, CcrTree4, CcrDisable},
                &GreetingTableRecord::CcrTree, {1, 2, 3, 4, 0}),
            // Empty means no attendant.
            ui::bind::Text(Extension, &GreetingTableRecord::AttendantExtension,
                           ui::StringId::InvalidAttendantExtension,
                           [length](const std::string& text) {
                               return text.empty() ||
                                      core::CheckMailboxNumber(text, length) == core::FieldValid;
                           }),
            CustomPromptsRow(),
            LanguageRow(),
        });
        connect(Ui().primaryVoice, &QPushButton::clicked, this,
                [this] { EditPrompt(zax::AaPromptKind::Primary, primaryRecorded_); });
        connect(Ui().alternateVoice, &QPushButton::clicked, this,
                [this] { EditPrompt(zax::AaPromptKind::Alternate, alternateRecorded_); });
    }

    void LoadFromRecord() override {
        GreetingPage::LoadFromRecord();
        primaryRecorded_ = Record().PrimaryAaPromptRecorded != 0;
        alternateRecorded_ = Record().AlternateAaPromptRecorded != 0;
        ShowRecorded();
    }

    void UpdateControlStates() override {
        const bool custom = IsChecked(CustomEnable);
        for (int id : {PrimaryLabel, PrimaryStatus, AlternateLabel, AlternateStatus})
            EnableControl(id, custom);
        for (size_t k = 0; k < kTreeButtons.size(); ++k)
            EnableControl(kTreeButtons[k], TreeDefined(Record(), k));
    }

private:
    // Recording does not change the page: it is not marked modified, and a
    // prompt once recorded stays "RECORDED" while the sheet is open.
    void EditPrompt(zax::AaPromptKind kind, bool& recorded) {
        const int caption = kind == zax::AaPromptKind::Primary ? ui::StringId::PrimaryAaPrompt
                                                               : ui::StringId::AlternateAaPrompt;
        if (EditTablePrompt(PromptFamily::Attendant, static_cast<int16_t>(kind), caption))
            recorded = true;
        ShowRecorded();
    }

    void ShowRecorded() {
        using ui::LanguageModule;
        auto text = [](bool recorded) {
            return LanguageModule::String(recorded ? ui::StringId::Recorded
                                                   : ui::StringId::NotRecorded);
        };
        SetControlText(PrimaryStatus, text(primaryRecorded_));
        SetControlText(AlternateStatus, text(alternateRecorded_));
    }

    bool primaryRecorded_ = false;
    bool alternateRecorded_ = false;
};

} // namespace

GreetingPage* MakeAnswerPage(const PageContext& context) {
    return new CPageGtgAnswer(context);
}

} // namespace greetings
