#include "lists/CentrexEntryDialog.h"

#include "lists/ListText.h"
#include "lists/ListsIds.h"
#include "lists/TranslationPair.h"
#include "ui_CentrexEntryDialog.h"

#include "server/Session.h"
#include "ui/StringIds.h"

namespace lists {

using namespace CentrexCtl;

CentrexEntryDialog::CentrexEntryDialog(zax::Session& session, ui::EntryMode mode,
                                       const std::string& old, QWidget* parent)
    : EntryDialog(TemplateId::CentrexEntry, mode, parent), session_(session),
      form_(std::make_unique<Ui::CentrexEntryDialog>()) {
    form_->setupUi(this);
    if (!Adding()) {
        old_ = old;
        zax::SetText(Record().Digits, old);
    }
    Bind({
        ui::bind::Text(
            Restriction, &CentrexRestriction::Digits, ui::StringId::InvalidRestriction,
            [](const std::string& t) { return IsDigits(t, 1, zax::CentrexRestrictionSize - 1); }),
    });
}

CentrexEntryDialog::~CentrexEntryDialog() = default;

bool CentrexEntryDialog::Save(const CentrexRestriction& restriction) {
    zax::VoiceMailServer& server = session_.Server();
    const std::string value = zax::GetText(restriction.Digits);
    const auto digits = CharsOf<zax::CentrexRestrictionSize>(value);
    if (Adding())
        return CallServer([&] { return server.AddCentrexRestriction(digits); }).Succeeded();
    if (value == old_)
        return true; // nothing changed: no call
    const auto old = CharsOf<zax::CentrexRestrictionSize>(old_);
    if (!CallServer([&] { return server.DeleteCentrexRestriction(old); }).Succeeded())
        return false;
    const ui::CallResult added = CallServer([&] { return server.AddCentrexRestriction(digits); });
    if (added.Succeeded())
        return true;
    // Refused after the delete: the old restriction goes back.
    if (!added.Ending())
        CallServer([&] { return server.AddCentrexRestriction(old); });
    return false;
}

} // namespace lists
