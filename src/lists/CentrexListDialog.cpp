#include "lists/CentrexListDialog.h"

#include "lists/CentrexEntryDialog.h"
#include "lists/ListsIds.h"
#include "lists/TranslationPair.h"

#include "server/Enumerate.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"

namespace lists {

namespace {

using Digits = zax::Chars<zax::CentrexRestrictionSize>;

std::optional<ui::EntryRow> RowOf(const CentrexEntryDialog& entry) {
    if (!entry.Accepted())
        return std::nullopt;
    return ui::EntryRow{{zax::GetText(entry.Accepted()->Digits)}};
}

} // namespace

CentrexListDialog::CentrexListDialog(zax::Session& session, QWidget* parent)
    : EntryListDialog(ui::DialogId::CentrexRestrictions, {ListsString::ColumnRestrictions}, false,
                      parent),
      session_(session) {}

ui::CallResult CentrexListDialog::ReadEntries(const RowSink& sink) {
    zax::VoiceMailServer& server = session_.Server();
    return ui::GuardServerCall([&] {
        return zax::Enumerate<Digits>(
                   [&](Digits& d) { return server.GetFirstCentrexRestriction(d, 1); },
                   [&](Digits& d) { return server.GetNextCentrexRestriction(d); },
                   [&](const Digits& d) { sink(ui::EntryRow{{TextOf(d)}}); })
            .status;
    });
}

std::optional<ui::EntryRow> CentrexListDialog::AddEntry() {
    CentrexEntryDialog entry(session_, ui::EntryMode::Add, {}, this);
    if (entry.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return RowOf(entry);
}

std::optional<ui::EntryRow> CentrexListDialog::ChangeEntry(const ui::EntryRow& row) {
    CentrexEntryDialog entry(session_, ui::EntryMode::Change, row.Key(), this);
    if (entry.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return RowOf(entry);
}

bool CentrexListDialog::DeleteEntry(const ui::EntryRow& row) {
    const Digits digits = CharsOf<zax::CentrexRestrictionSize>(row.Key());
    return CallServer([&] { return session_.Server().DeleteCentrexRestriction(digits); })
        .Succeeded();
}

} // namespace lists
