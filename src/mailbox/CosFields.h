#pragma once
// The fields of a class of service as the Edit Class of Service dialog shows
// them: the numeric values with their limits and messages, in the order they
// are checked, and the yes/no choices.

#include "server/Records.h"
#include "ui/RecordBinding.h"

#include <QString>

#include <array>
#include <cstdint>

namespace mailbox {

struct CosNumericField {
    int control;
    zax::CosLimitIndex limit;  // the server's bounds in SystemInfo::CosLimits
    int message;               // shown when the text is refused
    bool onlyWithNotification; // shown and checked only while off-premise notification is on
    int (*get)(const zax::CosRecord&);
    void (*set)(zax::CosRecord&, uint16_t);
    uint16_t fieldMax; // the largest value the record's field can hold
};

// In checking order.
extern const std::array<CosNumericField, zax::CosLimitCount> kCosNumericFields;

// Checks the text of one numeric field (1 to 3 digits within the server's
// limits and the field's size) and stores it into the record. False when refused.
bool StoreCosNumber(const CosNumericField& field, const QString& text,
                    const zax::SystemInfo& system, zax::CosRecord& record);

// A yes/no pair of radio buttons and the flag it sets.
struct CosChoice {
    int yes;
    int no;
    uint8_t zax::CosRecord::*flag;
};

extern const std::array<CosChoice, 5> kCosChoices;

// The whole class as the dialog binds it, in checking order: the name, the
// numbers (those that need off-premise notification only while its "Yes" is
// chosen; otherwise they show empty and keep what was read), the yes/no
// choices and the prompt language.
ui::BindingTable<zax::CosRecord> CosBindings(const zax::SystemInfo& system);

} // namespace mailbox
