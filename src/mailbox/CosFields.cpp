#include "mailbox/CosFields.h"

#include "mailbox/MailboxIds.h"

#include "core/EntryChecks.h"
#include "ui/StringIds.h"

#include <algorithm>
#include <limits>

namespace mailbox {

namespace {
using zax::CosRecord;
using namespace CosCtl;
using namespace ui::StringId;

constexpr uint16_t kShortMax = std::numeric_limits<int16_t>::max();
constexpr uint16_t kByteMax = std::numeric_limits<uint8_t>::max();
constexpr size_t kMaxDigits = 3;

template <int16_t CosRecord::*Member> int GetShort(const CosRecord& c) {
    return c.*Member;
}
template <int16_t CosRecord::*Member> void SetShort(CosRecord& c, uint16_t v) {
    c.*Member = static_cast<int16_t>(v);
}
template <uint8_t CosRecord::*Member> int GetByte(const CosRecord& c) {
    return c.*Member;
}
template <uint8_t CosRecord::*Member> void SetByte(CosRecord& c, uint16_t v) {
    c.*Member = static_cast<uint8_t>(v);
}

#define ZAX_COS_SHORT(m) &GetShort<&CosRecord::m>, &SetShort<&CosRecord::m>, kShortMax
#define ZAX_COS_BYTE(m) &GetByte<&CosRecord::m>, &SetByte<&CosRecord::m>, kByteMax

} // namespace

const std::array<CosNumericField, zax::CosLimitCount> kCosNumericFields = {{
    {MailboxTime, zax::CosMailboxMessageTime, InvalidMailboxMessageTime, false,
     ZAX_COS_SHORT(MaxMailboxMessageTime)},
    {MessageLength, zax::CosMessageLength, InvalidMessageLength, false,
     ZAX_COS_SHORT(MaxMessageLength)},
    {Retention, zax::CosRetentionPeriod, InvalidMessageRetention, false,
     ZAX_COS_SHORT(MessageRetentionPeriod)},
    {GreetingLength, zax::CosGreetingLength, InvalidGreetingLength, false,
     ZAX_COS_SHORT(MaxGreetingLength)},
    {RetryInterval, zax::CosRetryInterval, InvalidIntervalValue, true,
     ZAX_COS_SHORT(RetryInterval)},
    {Attempts, zax::CosNumberOfAttempts, MailboxString::InvalidNumberOfAttempts, true,
     ZAX_COS_SHORT(MaxNumberOfAttempts)},
    {PasswordAttempts, zax::CosIncorrectPasswordAttempts, InvalidPasswordAttempts, false,
     ZAX_COS_BYTE(MaxIncorrectPasswordAttempts)},
    {Expiry, zax::CosPasswordExpiry, InvalidPasswordExpiry, false, ZAX_COS_SHORT(PasswordExpiry)},
}};

#undef ZAX_COS_SHORT
#undef ZAX_COS_BYTE

const std::array<CosChoice, 5> kCosChoices = {{
    {OffPremiseYes, OffPremiseNo, &CosRecord::OffPremiseMessageNotification},
    {OutboundYes, OutboundNo, &CosRecord::OutboundTransfer},
    {NetworkingYes, NetworkingNo, &CosRecord::Networking},
    {TargetAttendantYes, TargetAttendantNo, &CosRecord::PersonalTargetAttendant},
    {RecordCallYes, RecordCallNo, &CosRecord::RecordCallAllowed},
}};

bool StoreCosNumber(const CosNumericField& field, const QString& text,
                    const zax::SystemInfo& system, zax::CosRecord& record) {
    const zax::CosLimit& limit = system.CosLimits[field.limit];
    // A maximum above what the field holds would be cut short when stored.
    const auto low = static_cast<uint16_t>(std::max<int16_t>(limit.Low, 0));
    const auto high =
        static_cast<uint16_t>(std::clamp<int>(limit.High, 0, static_cast<int>(field.fieldMax)));
    uint16_t value = 0;
    if (core::CheckNumberField(text.toStdString(), 1, kMaxDigits, true, low, high, value) !=
        core::FieldValid)
        return false;
    field.set(record, value);
    return true;
}

ui::BindingTable<zax::CosRecord> CosBindings(const zax::SystemInfo& system) {
    constexpr int kMaxNameLength = 16;
    const auto nameFits = [](const std::string& name) { return name.size() <= kMaxNameLength; };
    ui::BindingTable<CosRecord> table{
        ui::bind::Text(Name, &CosRecord::Name, InvalidCosName, nameFits)};
    for (const CosNumericField& f : kCosNumericFields) {
        const auto applies = [&f](bool notify) { return notify || !f.onlyWithNotification; };
        table.push_back(ui::bind::Rule<CosRecord>(
            f.control, f.message,
            [&f, &system, applies](CosRecord& c, const ui::ControlAccess& host) {
                return !applies(host.IsChecked(OffPremiseYes)) ||
                       StoreCosNumber(f, host.ControlText(f.control), system, c);
            },
            [&f, applies](const CosRecord& c, ui::ControlAccess& host) {
                const bool shown = applies(c.OffPremiseMessageNotification != 0);
                host.SetControlText(f.control, shown ? QString::number(f.get(c)) : QString());
            }));
    }
    for (const CosChoice& choice : kCosChoices)
        table.push_back(
            ui::bind::Radio({choice.yes, choice.no}, choice.flag, {uint8_t{1}, uint8_t{0}}));
    table.push_back(ui::bind::Radio({Primary, Alternate}, &CosRecord::PromptLanguage,
                                    {int16_t{0}, int16_t{1}}));
    return table;
}

} // namespace mailbox
