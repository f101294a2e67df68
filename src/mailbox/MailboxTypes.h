#pragma once
// What a mailbox's type code decides on the client: the text the list shows
// for it and which pages of the property sheet edit it.

#include "server/Records.h"

#include <QString>

#include <cstdint>

namespace mailbox {

// The list's text for a type code, from the active language module.
QString MailboxTypeText(int16_t type);

// Slots of the mailbox property sheet, in tab order.
enum PageSlot : int {
    SlotGeneral,
    SlotOptions,
    SlotOutdial,
    SlotFax,
    SlotDelivery,
    SlotAddress,
    SlotSpeechRec,
    SlotCount
};

// The slots present for a type, one bit per slot (1 << slot); 0 when the
// type has no page at all.
unsigned PageSlotsOf(int16_t type);
inline bool HasSlot(int16_t type, PageSlot slot) {
    return (PageSlotsOf(type) >> slot) & 1u;
}

} // namespace mailbox
