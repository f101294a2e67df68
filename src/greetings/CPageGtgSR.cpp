// The Speech Rec page (178): whether the attendant's speech-recognition
// front end runs for this table, and which of its four prompts are the
// table's own recordings.
#include "greetings/GreetingIds.h"
#include "greetings/GreetingPage.h"
#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_CPageGtgSR.h"

#include <QPushButton>

#include <array>

namespace greetings {
namespace {

using namespace SpeechCtl;
using zax::GreetingTableRecord;
using zax::SrPromptKind;

// One prompt row: its check box, status text and button, the recording's
// kind and the Voice dialog's caption, and the record's recorded flag.
struct PromptRow {
    int check;
    int status;
    int voice;
    SrPromptKind kind;
    int caption;
    uint8_t GreetingTableRecord::*recorded;
};
// Screen order; the kinds are numbered main, repeat, decline, confirm.
constexpr std::array<PromptRow, 4> kPrompts = {{
    {Main, MainStatus, MainVoice, SrPromptKind::Main, ui::StringId::MainPrompt,
     &GreetingTableRecord::MainPromptRecorded},
    {Repeat, RepeatStatus, RepeatVoice, SrPromptKind::Repeat, ui::StringId::RepeatPrompt,
     &GreetingTableRecord::RepeatPromptRecorded},
    {Confirm, ConfirmStatus, ConfirmVoice, SrPromptKind::Confirm, ui::StringId::ConfirmPrompt,
     &GreetingTableRecord::ConfirmPromptRecorded},
    {Decline, DeclineStatus, DeclineVoice, SrPromptKind::Decline, ui::StringId::DeclinePrompt,
     &GreetingTableRecord::DeclinePromptRecorded},
}};

class CPageGtgSR : public ui::FormPage<Ui::CPageGtgSR, GreetingPage> {
public:
    explicit CPageGtgSR(const PageContext& c) : FormPage(ui::DialogId::PageGtgSR, c) {
        using ui::bind::Check;
        using R = GreetingTableRecord;
        Bind({
            Check(Enabled, &R::SpeechRecognitionEnabled),
            Check(Main, &R::MainPromptCustom),
            Check(Repeat, &R::RepeatPromptCustom),
            Check(Confirm, &R::ConfirmPromptCustom),
            Check(Decline, &R::DeclinePromptCustom),
        });
        for (size_t i = 0; i < kPrompts.size(); ++i) {
            auto* button = qobject_cast<QPushButton*>(Control(kPrompts[i].voice));
            connect(button, &QPushButton::clicked, this, [this, i] { EditPrompt(i); });
        }
    }

    void LoadFromRecord() override {
        GreetingPage::LoadFromRecord();
        for (size_t i = 0; i < kPrompts.size(); ++i)
            recorded_[i] = Record().*kPrompts[i].recorded != 0;
        ShowRecorded();
    }

    void UpdateControlStates() override {
        const bool enabled = IsChecked(Enabled);
        for (const PromptRow& p : kPrompts) {
            EnableControl(p.check, enabled);
            EnableControl(p.status, enabled && IsChecked(p.check));
        }
    }

private:
    // Not a change of the page; a prompt once recorded stays "RECORDED".
    void EditPrompt(size_t i) {
        const PromptRow& p = kPrompts[i];
        if (EditTablePrompt(PromptFamily::SpeechRecognition, static_cast<int16_t>(p.kind),
                            p.caption))
            recorded_[i] = true;
        ShowRecorded();
    }

    void ShowRecorded() {
        for (size_t i = 0; i < kPrompts.size(); ++i)
            SetControlText(kPrompts[i].status,
                           ui::LanguageModule::String(recorded_[i] ? ui::StringId::Recorded
                                                                   : ui::StringId::NotRecorded));
    }

    std::array<bool, kPrompts.size()> recorded_{};
};

} // namespace

GreetingPage* MakeSpeechRecPage(const PageContext& context) {
    return new CPageGtgSR(context);
}

} // namespace greetings
