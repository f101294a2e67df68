#include "lists/TranslationEntryDialog.h"

#include "lists/ListText.h"
#include "lists/ListsIds.h"
#include "ui_TranslationEntryDialog.h"

#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/StringIds.h"

namespace lists {

using namespace TranslationCtl;

namespace {

constexpr size_t kMaxInput = zax::TranslationInputSize - 1;
constexpr size_t kMaxOutput = zax::TranslationOutputSize - 1;

const ui::StatusMessage kStatuses[] = {
    {zax::StatusAlreadyExists, ui::StringId::InputValueExists},
};

auto InputOf(const TranslationPair& p) {
    return CharsOf<zax::TranslationInputSize>(zax::GetText(p.Input));
}
auto OutputOf(const TranslationPair& p) {
    return CharsOf<zax::TranslationOutputSize>(zax::GetText(p.Output));
}

} // namespace

TranslationEntryDialog::TranslationEntryDialog(zax::Session& session, ui::EntryMode mode,
                                               const TranslationPair& old, QWidget* parent)
    : EntryDialog(TemplateId::TranslationEntry, mode, parent), session_(session),
      form_(std::make_unique<Ui::TranslationEntryDialog>()) {
    form_->setupUi(this);
    if (!Adding()) {
        old_ = old;
        Record() = old;
    }
    using ui::bind::Rule;
    using ui::bind::Text;
    Bind({
        Text(Input, &TranslationPair::Input, ListsString::InvalidInputNumber,
             [](const std::string& t) { return IsDigits(t, 0, kMaxInput); }),
        Text(Output, &TranslationPair::Output, ListsString::InvalidOutputNumber,
             [](const std::string& t) { return IsDigits(t, 0, kMaxOutput); }),
        Rule<TranslationPair>(Input, ui::StringId::BothFieldsBlank,
                              [](TranslationPair& p, const ui::ControlAccess&) {
                                  return p.Input[0] != '\0' || p.Output[0] != '\0';
                              }),
    });
}

TranslationEntryDialog::~TranslationEntryDialog() = default;

ui::CallResult TranslationEntryDialog::Add(const TranslationPair& pair) {
    const auto input = InputOf(pair);
    const auto output = OutputOf(pair);
    return CallServer([&] { return session_.Server().AddTranslation(input, output); }, kStatuses);
}

bool TranslationEntryDialog::Save(const TranslationPair& pair) {
    zax::VoiceMailServer& server = session_.Server();
    if (Adding())
        return Add(pair).Succeeded();
    const auto input = InputOf(pair);
    const auto output = OutputOf(pair);
    if (zax::GetText(pair.Input) == zax::GetText(old_.Input))
        return CallServer([&] { return server.ChangeTranslation(input, output); }, kStatuses)
            .Succeeded();
    // A new input value is a new key: the old pair goes, the new one comes.
    const auto oldInput = InputOf(old_);
    const auto oldOutput = OutputOf(old_);
    if (!CallServer([&] { return server.DeleteTranslation(oldInput, oldOutput); }, kStatuses)
             .Succeeded())
        return false;
    const ui::CallResult added = Add(pair);
    if (added.Succeeded())
        return true;
    // The add was refused after the delete: the old pair goes back, so the
    // table still holds what the list shows.
    if (!added.Ending())
        CallServer([&] { return server.AddTranslation(oldInput, oldOutput); });
    return false;
}

} // namespace lists
