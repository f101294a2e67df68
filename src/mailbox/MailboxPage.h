#pragma once
// Base of the mailbox property sheet's pages: each edits part of the one
// MailboxRecord the sheet owns, checks it against the system's limits, and
// refuses an apply with one message and the focus on the field concerned.

#include "server/Records.h"
#include "ui/RecordPage.h"

#include <initializer_list>

namespace mailbox {

// What every page is made with: the sheet's record and what it read beside it.
struct PageContext {
    zax::MailboxRecord& record;
    const zax::SystemInfo& system;
    const zax::CosNameTable& cosNames;
    bool exists; // the mailbox is on the server (change mode)
};

class MailboxPage : public ui::BoundPage<zax::MailboxRecord> {
    Q_OBJECT
public:
    MailboxPage(int templateId, const PageContext& context)
        : BoundPage(templateId, context.record), context_(context) {}

protected:
    bool IsType(std::initializer_list<zax::MailboxType> types) const {
        for (zax::MailboxType t : types)
            if (Record().Type == static_cast<int16_t>(t))
                return true;
        return false;
    }
    const zax::SystemInfo& System() const { return context_.system; }
    const PageContext& Context() const { return context_; }

private:
    PageContext context_;
};

// The pages, one maker per slot of the sheet.
MailboxPage* MakeGeneralPage(const PageContext& context);
MailboxPage* MakeOptionsPage(const PageContext& context);
MailboxPage* MakeOutdialPage(const PageContext& context);
MailboxPage* MakeFaxPage(const PageContext& context);
MailboxPage* MakeDeliveryPage(const PageContext& context);
MailboxPage* MakeAddressPage(const PageContext& context);
MailboxPage* MakeSpeechRecPage(const PageContext& context);

} // namespace mailbox
