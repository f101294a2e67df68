#include "mailbox/MailboxTypes.h"

#include "mailbox/MailboxIds.h"
#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

#include <array>
#include <initializer_list>

namespace mailbox {
namespace {

using namespace ui::StringId;
constexpr int kUnknown = MailboxString::UnknownType;

// Codes 0 to 10; 1, 3 and 4 are the server's own kinds of subscriber.
constexpr std::array<int, 11> kTypeTexts = {
    TypeSubscriber, TypeSubscriber,  TypeInformation, TypeSubscriber,
    TypeSubscriber, TypeFaxOnDemand, TypeFaxOverflow, kUnknown,
    kUnknown,       TypeAmis,        TypeNetwork,
};

constexpr unsigned Bits(std::initializer_list<PageSlot> present) {
    unsigned bits = 0;
    for (PageSlot s : present)
        bits |= 1u << s;
    return bits;
}

// Codes 0 to 11; every other code has no page.
constexpr std::array<unsigned, 12> kPageSlots = {
    Bits({SlotGeneral, SlotOptions, SlotOutdial, SlotFax, SlotSpeechRec}), // 0
    Bits({SlotGeneral, SlotOptions, SlotOutdial, SlotFax, SlotSpeechRec}), // 1
    Bits({SlotGeneral, SlotSpeechRec}),                                    // 2
    Bits({SlotGeneral, SlotOptions, SlotOutdial, SlotFax}),                // 3
    Bits({SlotGeneral, SlotOptions, SlotOutdial}),                         // 4
    Bits({SlotGeneral, SlotOutdial, SlotDelivery, SlotSpeechRec}),         // 5
    Bits({SlotGeneral, SlotDelivery}),                                     // 6
    0,                                                                     // 7
    0,                                                                     // 8
    Bits({SlotGeneral, SlotOutdial, SlotAddress}),                         // 9
    Bits({SlotGeneral, SlotAddress}),                                      // 10
    Bits({SlotGeneral, SlotOptions, SlotOutdial, SlotFax, SlotSpeechRec}), // 11
};

} // namespace

QString MailboxTypeText(int16_t type) {
    if (type < 0)
        return ui::LanguageModule::String(TypeSubscriber);
    const auto code = static_cast<size_t>(type);
    return ui::LanguageModule::String(code < kTypeTexts.size() ? kTypeTexts[code] : kUnknown);
}

unsigned PageSlotsOf(int16_t type) {
    const auto code = static_cast<size_t>(type);
    return type >= 0 && code < kPageSlots.size() ? kPageSlots[code] : 0;
}

} // namespace mailbox
