#include "RecordChecks.h"

#include "SimState.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace zaxsim {

namespace {

using zax::GetText;
using zax::MailboxRecord;
using zax::SystemInfo;

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// What a mailbox name, and a name spoken to speech recognition, are made of.
const std::string kNameCharacters = std::string(kLetters) + std::string(kDigits) + "',-_";
const std::string kSpokenCharacters = std::string(kLetters) + std::string(kDigits) + " '_";
// What a dialable number may hold: digits, the two tone keys, D(ial tone)
// and P(ause) in either case.
constexpr std::string_view kDialCharacters = "0123456789#*DPdp";

// `text` is `min` to `max` characters, all from `allowed`.
bool Text(const std::string& text, size_t min, size_t max, std::string_view allowed) {
    return text.size() >= min && text.size() <= max &&
           text.find_first_not_of(allowed) == std::string::npos;
}

template <class T> bool Within(T value, int low, int high) {
    return value >= low && value <= high;
}

bool Flag(uint8_t value) {
    return value <= 1;
}
bool Flag(int16_t value) {
    return value == 0 || value == 1;
}

bool Extension(const SystemInfo& si, const std::string& text) {
    const auto length = static_cast<size_t>(si.ExtensionLength);
    return text.empty() || Text(text, length, length, kDigits);
}

bool Is(const MailboxRecord& r, zax::MailboxType type) {
    return r.Type == static_cast<int16_t>(type);
}

using MailboxRule = bool (*)(const SystemInfo&, const MailboxRecord&);

constexpr MailboxRule kMailboxRules[] = {
    [](const SystemInfo& si, const MailboxRecord& r) {
        const auto length = static_cast<size_t>(si.ExtensionLength);
        return Text(GetText(r.Number), length, length, kDigits);
    },
    // The server's own two names are the only ones longer than 16.
    [](const SystemInfo&, const MailboxRecord& r) {
        const std::string name = GetText(r.Name);
        return Text(name, 1, 16, kNameCharacters) || IsSystemMailboxName(name);
    },
    [](const SystemInfo&, const MailboxRecord& r) { return Within(r.Type, 0, 11); },
    [](const SystemInfo&, const MailboxRecord& r) {
        return Within(r.ClassOfService, 1, zax::ClassOfServiceCount);
    },
    [](const SystemInfo& si, const MailboxRecord& r) {
        return Extension(si, GetText(r.Extension)) &&
               Extension(si, GetText(r.AlternateExtension1)) &&
               Extension(si, GetText(r.AlternateExtension2));
    },
    [](const SystemInfo& si, const MailboxRecord& r) {
        return r.FaxLine == 0 || Within(r.FaxLine, 1, si.MaxLineNumber);
    },
    [](const SystemInfo&, const MailboxRecord& r) {
        return Flag(r.MessageWaiting) && Flag(r.Directory) && Flag(r.CallScreening) &&
               Flag(r.SpeechDisabled);
    },
    [](const SystemInfo& si, const MailboxRecord& r) {
        switch (static_cast<zax::OutdialKind>(r.OutdialKind)) {
        case zax::OutdialKind::Line:
            return Within(r.OutdialNumber, 1, si.MaxLineNumber);
        case zax::OutdialKind::Pool:
            return Within(r.OutdialNumber, 1, si.MaxPoolNumber);
        case zax::OutdialKind::None:
            return true;
        }
        return false;
    },
    [](const SystemInfo&, const MailboxRecord& r) {
        return Within(r.FaxRetries, 1, 99) && Within(r.FaxInterval, 1, 60);
    },
    // An AMIS mailbox is reached by dialling its system; a network mailbox
    // through its site; both name the mailbox at the far end.
    [](const SystemInfo&, const MailboxRecord& r) {
        const bool amis = Is(r, zax::MailboxType::Amis);
        const bool network = Is(r, zax::MailboxType::Network);
        return Text(GetText(r.RemotePhoneNumber), amis ? 1 : 0, 30, kDialCharacters) &&
               Text(GetText(r.SitePrefix), network ? 1 : 0, 9, kDigits) &&
               Text(GetText(r.RemoteMailbox), amis || network ? 1 : 0, 16, kDigits);
    },
    [](const SystemInfo&, const MailboxRecord& r) {
        return Text(GetText(r.ExtendedName), 0, 40, kSpokenCharacters) &&
               Text(GetText(r.Alias), 0, 40, kSpokenCharacters);
    },
};

// The values of a class of service the server bounds by its own limits.
struct CosValue {
    int (*get)(const zax::CosRecord&);
    zax::CosLimitIndex limit;
    bool onlyWithNotification; // checked only while off-premise notification is on
};
constexpr std::array<CosValue, 8> kCosValues = {{
    {[](const zax::CosRecord& c) -> int { return c.MaxMailboxMessageTime; },
     zax::CosMailboxMessageTime, false},
    {[](const zax::CosRecord& c) -> int { return c.MaxMessageLength; }, zax::CosMessageLength,
     false},
    {[](const zax::CosRecord& c) -> int { return c.MessageRetentionPeriod; },
     zax::CosRetentionPeriod, false},
    {[](const zax::CosRecord& c) -> int { return c.MaxGreetingLength; }, zax::CosGreetingLength,
     false},
    {[](const zax::CosRecord& c) -> int { return c.RetryInterval; }, zax::CosRetryInterval, true},
    {[](const zax::CosRecord& c) -> int { return c.MaxNumberOfAttempts; }, zax::CosNumberOfAttempts,
     true},
    {[](const zax::CosRecord& c) -> int { return c.MaxIncorrectPasswordAttempts; },
     zax::CosIncorrectPasswordAttempts, false},
    {[](const zax::CosRecord& c) -> int { return c.PasswordExpiry; }, zax::CosPasswordExpiry,
     false},
}};

} // namespace

bool IsStorableMailbox(const SystemInfo& system, const MailboxRecord& record) {
    return std::all_of(std::begin(kMailboxRules), std::end(kMailboxRules),
                       [&](MailboxRule rule) { return rule(system, record); });
}

bool IsStorableClassOfService(const SystemInfo& si, const zax::CosRecord& c) {
    const bool choices = Flag(c.PromptLanguage) && Flag(c.OffPremiseMessageNotification) &&
                         Flag(c.PersonalTargetAttendant) && Flag(c.OutboundTransfer) &&
                         Flag(c.Networking) && Flag(c.RecordCallAllowed);
    return choices && GetText(c.Name).size() <= 16 &&
           std::all_of(kCosValues.begin(), kCosValues.end(), [&](const CosValue& v) {
               if (v.onlyWithNotification && !c.OffPremiseMessageNotification)
                   return true;
               const int value = v.get(c);
               return value >= si.CosLimits[v.limit].Low && value <= si.CosLimits[v.limit].High;
           });
}

// ---- operator settings, fax and system parameters ------------------------------

namespace {

bool IsLanguage(int16_t code) {
    return Within(code, 1, 3); // zax::PromptLanguageCode
}

} // namespace

bool IsStorableOperatorSettings(const SystemInfo& si, const zax::OperatorSettings& r) {
    return Flag(r.AttendantAvailable) && Flag(r.BusinessOpen) && Flag(r.AnswerLines) &&
           Flag(r.ResetOperatorPassword) && Extension(si, GetText(r.AttendantExtension));
}

// The first three fields are the server's own and take any value.
bool IsStorableFaxParameters(const SystemInfo& si, const zax::FaxParameters& r) {
    return Extension(si, GetText(r.SystemFaxExtension)) &&
           Text(GetText(r.SystemFaxName), 0, 16, kNameCharacters) && Within(r.Retries, 1, 99) &&
           Within(r.Interval, 1, 60);
}

// The version text is the server's own: whatever comes with it is ignored.
bool IsStorableSystemParameters(const SystemInfo& si, const zax::SystemParameters& r) {
    const bool flags = Flag(r.VoiceMailEnabled) && Flag(r.GroupListsEnabled) &&
                       Flag(r.ExternalInitialization) && Flag(r.DirectoryAvailable) &&
                       Flag(r.GeneralDeliveryMailbox) && Flag(r.Bilingual) &&
                       Flag(r.ResetAdminPassword) && Flag(r.RedirectDn);
    // Group list numbers begin with the leading digit while they are enabled.
    const bool digit = r.GroupListsEnabled ? Within(r.GroupListLeadingDigit, 1, 9)
                                           : Within(r.GroupListLeadingDigit, 0, 9);
    // A bilingual system speaks two different languages; otherwise the
    // second may be none (0).
    const bool languages =
        IsLanguage(r.PrimaryLanguage) &&
        (r.Bilingual ? IsLanguage(r.SecondaryLanguage) && r.SecondaryLanguage != r.PrimaryLanguage
                     : r.SecondaryLanguage == 0 || IsLanguage(r.SecondaryLanguage));
    return flags && digit && languages && Within(r.OutcallingChannels, 1, si.MaxOutcallChannels) &&
           Within(r.DirectorySearch, 0, 2);
}

// ---- networking ------------------------------------------------------------------

namespace {

bool Route(const SystemInfo& si, int16_t kind, int16_t number) {
    switch (static_cast<zax::RouteKind>(kind)) {
    case zax::RouteKind::Line:
        return Within(number, 1, si.MaxLineNumber);
    case zax::RouteKind::Pool:
        return Within(number, 1, si.MaxPoolNumber);
    }
    return false;
}

bool IsBlockingTime(uint8_t hour, uint8_t minute) {
    return hour <= 23 && minute <= 59;
}

} // namespace

bool IsStorableGeneralNetworking(const zax::NetworkParameters& r) {
    return Flag(r.NetworkReceive) && Flag(r.NetworkDeliver) && Flag(r.NetworkReply) &&
           Flag(r.NetworkBroadcast) && Flag(r.NetworkGroupList) && Within(r.NetworkRetry, 1, 9) &&
           Within(r.NetworkDelay, 1, 60);
}

bool IsStorableAmisNetworking(const SystemInfo& si, const zax::NetworkParameters& r) {
    return Flag(r.IncludeSystemName) && Flag(r.IncludeSenderName) && Flag(r.LoopbackEnabled) &&
           Route(si, r.OutgoingRouteKind, r.LineOrPoolNumber) &&
           Text(GetText(r.InternationalAccessCode), 0, 4, kDigits) &&
           Text(GetText(r.CountryCode), 0, 4, kDigits) && Text(GetText(r.AreaCode), 0, 6, kDigits) &&
           Text(GetText(r.TelephoneNumber), 0, 16, kDigits);
}

bool IsStorableLocalPrefix(const zax::NetworkParameters& r) {
    return Text(GetText(r.LocalPrefix), 0, 9, kDigits);
}

bool IsStorableBlockingPeriods(const zax::BlockingPeriodTable& t) {
    for (const auto& day : t.Periods)
        for (const zax::BlockingPeriod& p : day)
            if (!IsBlockingTime(p.FromHour, p.FromMinute) || !IsBlockingTime(p.ToHour, p.ToMinute))
                return false;
    return true;
}

// The telephone number must leave room for its terminator.
bool IsStorableSite(const SystemInfo& si, const zax::NetworkSite& n, bool vpimAvailable) {
    const bool common = Text(GetText(n.SiteName), 1, 16, kNameCharacters) &&
                        Text(GetText(n.SitePrefix), 1, 9, kDigits);
    switch (static_cast<zax::SiteType>(n.SiteType)) {
    case zax::SiteType::Amis:
        return common && Route(si, n.OutgoingRouteKind, n.LineOrPoolNumber) &&
               Text(GetText(n.TelephoneNumber), 1, sizeof n.TelephoneNumber - 1, kDialCharacters);
    case zax::SiteType::Digital:
        return common && Within(n.VoiceFormat, 0, vpimAvailable ? 2 : 1) &&
               Text(GetText(n.MailboxPrefix), 0, 9, kDigits);
    }
    return false;
}

bool IsHostName(const std::string& text, size_t maxLength) {
    static const std::string allowed = std::string(kLetters) + std::string(kDigits) + "-_.";
    return Text(text, 1, maxLength, allowed) && text.find("..") == std::string::npos;
}

// ---- greeting tables --------------------------------------------------------------

namespace {

bool IsGreetingNumber(int16_t n) {
    return Within(n, 1, zax::GreetingNumberMax);
}

bool AreStartTimes(const zax::GreetingTableRecord& r) {
    for (const auto& day : r.Hours)
        for (const zax::HoursEntry& h : day)
            if (!Within(h.Hour, 0, 23) || !Within(h.Minute, 0, 59))
                return false;
    return true;
}

} // namespace

// Any nonzero "standard prompts" or language value means the same as 1, as
// clients have always sent; the recorded flags are the server's own and
// whatever comes with them is ignored.
bool IsStorableGreetingTable(const SystemInfo& si, const zax::GreetingTableRecord& r) {
    const bool greetings = IsGreetingNumber(r.MorningGreeting) &&
                           IsGreetingNumber(r.AfternoonGreeting) &&
                           IsGreetingNumber(r.EveningGreeting) &&
                           IsGreetingNumber(r.NonBusinessGreeting);
    const bool speech = Flag(r.SpeechRecognitionEnabled) && Flag(r.MainPromptCustom) &&
                        Flag(r.RepeatPromptCustom) && Flag(r.ConfirmPromptCustom) &&
                        Flag(r.DeclinePromptCustom);
    return Within(r.TableNumber, 1, zax::GreetingTableCount) && greetings && speech &&
           Extension(si, GetText(r.AttendantExtension)) && Within(r.CcrTree, 0, zax::CcrTreeCount) &&
           AreStartTimes(r);
}

} // namespace zaxsim
