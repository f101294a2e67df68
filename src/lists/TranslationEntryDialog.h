#pragma once
// Dialing Translation (dialog 180): one pair added or changed. Changing the
// output alone replaces it in place; a changed input is a new key, so the
// old pair is deleted and the new one added — and put back when the add is
// refused, so a refusal never loses the pair the administrator started from.

#include "lists/TranslationPair.h"
#include "ui/EntryDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class TranslationEntryDialog;
}

namespace lists {

class TranslationEntryDialog : public ui::EntryDialog<TranslationPair> {
    Q_OBJECT
public:
    // `old`: the pair to change (change mode); ignored when adding.
    TranslationEntryDialog(zax::Session& session, ui::EntryMode mode, const TranslationPair& old,
                           QWidget* parent = nullptr);
    ~TranslationEntryDialog() override;

protected:
    bool Save(const TranslationPair& pair) override;

private:
    // Adds the pair; the guarded result.
    ui::CallResult Add(const TranslationPair& pair);

    zax::Session& session_;
    std::unique_ptr<Ui::TranslationEntryDialog> form_;
    TranslationPair old_{};
};

} // namespace lists
