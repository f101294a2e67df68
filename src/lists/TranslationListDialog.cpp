#include "lists/TranslationListDialog.h"

#include "lists/DialingParametersDialog.h"
#include "lists/ListsIds.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationPair.h"

#include "server/Enumerate.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"

namespace lists {

namespace {

ui::EntryRow RowOf(const std::string& input, const std::string& output) {
    return {{ShownValue(input), ShownValue(output)}};
}

// The pair a row stands for.
TranslationPair PairOf(const ui::EntryRow& row) {
    TranslationPair pair{};
    zax::SetText(pair.Input, ValueShown(row.cells.at(0)));
    zax::SetText(pair.Output, ValueShown(row.cells.at(1)));
    return pair;
}

// One pair as the procedures carry it.
struct WirePair {
    zax::Chars<zax::TranslationInputSize> input;
    zax::Chars<zax::TranslationOutputSize> output;
};

} // namespace

TranslationListDialog::TranslationListDialog(zax::Session& session, QWidget* parent)
    : EntryListDialog(ui::DialogId::DialingTranslation,
                      {ListsString::ColumnInputValue, ListsString::ColumnOutputValue}, true,
                      parent),
      session_(session) {}

ui::CallResult TranslationListDialog::ReadEntries(const RowSink& sink) {
    zax::VoiceMailServer& server = session_.Server();
    return ui::GuardServerCall([&] {
        return zax::Enumerate<WirePair>(
                   [&](WirePair& p) { return server.GetFirstTranslation(p.input, p.output, 1); },
                   [&](WirePair& p) { return server.GetNextTranslation(p.input, p.output); },
                   [&](const WirePair& p) { sink(RowOf(TextOf(p.input), TextOf(p.output))); })
            .status;
    });
}

std::optional<ui::EntryRow> TranslationListDialog::AddEntry() {
    TranslationEntryDialog entry(session_, ui::EntryMode::Add, {}, this);
    if (entry.Run() != ui::ControlId::Ok || !entry.Accepted())
        return std::nullopt;
    const TranslationPair& pair = *entry.Accepted();
    return RowOf(zax::GetText(pair.Input), zax::GetText(pair.Output));
}

std::optional<ui::EntryRow> TranslationListDialog::ChangeEntry(const ui::EntryRow& row) {
    TranslationEntryDialog entry(session_, ui::EntryMode::Change, PairOf(row), this);
    if (entry.Run() != ui::ControlId::Ok || !entry.Accepted())
        return std::nullopt;
    const TranslationPair& pair = *entry.Accepted();
    return RowOf(zax::GetText(pair.Input), zax::GetText(pair.Output));
}

bool TranslationListDialog::DeleteEntry(const ui::EntryRow& row) {
    const TranslationPair pair = PairOf(row);
    const auto input = CharsOf<zax::TranslationInputSize>(zax::GetText(pair.Input));
    const auto output = CharsOf<zax::TranslationOutputSize>(zax::GetText(pair.Output));
    return CallServer([&] { return session_.Server().DeleteTranslation(input, output); })
        .Succeeded();
}

void TranslationListDialog::OnExtra() {
    DialingParametersDialog parameters(session_, this);
    parameters.Run();
}

} // namespace lists
