#pragma once
// What a mailbox's type code decides on the client: the text the list shows
// for it and which pages of the property sheet edit it. Also the conversion
// of the records' fixed text fields, which hold bytes, to and from QString.

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

// Record text is kept byte for byte: Latin-1 maps each byte to the character
// of the same value, so nothing is lost and byte order is character order.
template <size_t N> QString FieldText(const char (&field)[N]) {
    const std::string text = zax::GetText(field);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
template <size_t N> void SetField(char (&field)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    zax::SetText(field, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

} // namespace mailbox
