#pragma once
// The mailbox property sheet: one MailboxRecord edited by up to seven pages
// (which ones depends on the mailbox type), created on the server in add
// mode and changed in change mode.

#include "mailbox/MailboxTypes.h"
#include "server/Records.h"
#include "ui/PropertySheet.h"

#include <array>
#include <string>

namespace zax {
struct Session;
}

namespace mailbox {

class MailboxPage;
class CPageMbxGeneral;
struct MailboxListRow;

class CMbxProps : public ui::PropertySheet {
    Q_OBJECT
public:
    // Change mode: the mailbox `number`; `row`, when given, gets the saved name.
    CMbxProps(zax::Session& session, const std::string& number, MailboxListRow* row,
              QWidget* parent, int initialSlot = SlotGeneral);
    // Add mode: a new mailbox of `type` under `number`.
    CMbxProps(zax::Session& session, const std::string& number, zax::MailboxType type,
              QWidget* parent);
    ~CMbxProps() override;

    // Reads what the sheet needs, shows it modally and saves on OK. Returns
    // OK or Cancel (also when the sheet could not be shown).
    int Run();

    // A ChangeMailbox succeeded.
    bool WasChanged() const { return changed_; }

    bool InAddMode() const { return addMode_; }
    const zax::MailboxRecord& Record() const { return record_; }
    // The page of a slot, null when the type has none there.
    MailboxPage* PageInSlot(int slot) const;
    // The tab index of a slot's page, -1 when absent.
    int IndexOfSlot(int slot) const;

protected:
    bool Load() override;
    void OnApplied() override;
    void showEvent(QShowEvent* event) override;

private:
    bool ReadFromServer();
    void FillNewRecord(zax::MailboxType type);
    void CreatePages();
    void PrepareWindow();
    // Writes the record as the mode requires; false when a transport
    // failure is ending the program.
    bool Save();

    zax::Session& session_;
    std::string number_;
    MailboxListRow* row_ = nullptr;
    int initialSlot_ = SlotGeneral;
    bool addMode_ = false;
    bool changed_ = false;
    bool prepared_ = false;
    zax::CosNameTable cosNames_{};
    zax::MailboxRecord record_{};
    std::string savedName_; // the name the server holds
    std::array<MailboxPage*, SlotCount> pages_{};
    CPageMbxGeneral* general_ = nullptr;
};

} // namespace mailbox
