// The simulated server's networking: the general, AMIS and digital
// parameters (one record, three procedure pairs), the AMIS call-blocking
// periods, and the table of network sites. Every change is stored through a
// StateChange.

#include "RecordChecks.h"
#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace zaxsim {

using zax::GetText;
using zax::NetworkParameters;
using zax::NetworkSite;
using zax::SetText;

namespace {

// ---- the shared parameter record ---------------------------------------------------

// The fields each procedure pair owns. A writer sends zeros for everything
// else; the server takes only its own fields from the record, so writing
// one set never wipes the other two.
void TakeGeneral(const NetworkParameters& from, NetworkParameters& to) {
    to.NetworkReceive = from.NetworkReceive;
    to.NetworkDeliver = from.NetworkDeliver;
    to.NetworkReply = from.NetworkReply;
    to.NetworkBroadcast = from.NetworkBroadcast;
    to.NetworkGroupList = from.NetworkGroupList;
    to.NetworkRetry = from.NetworkRetry;
    to.NetworkDelay = from.NetworkDelay;
}

void TakeAmis(const NetworkParameters& from, NetworkParameters& to) {
    to.IncludeSystemName = from.IncludeSystemName;
    to.IncludeSenderName = from.IncludeSenderName;
    to.LoopbackEnabled = from.LoopbackEnabled;
    to.OutgoingRouteKind = from.OutgoingRouteKind;
    to.LineOrPoolNumber = from.LineOrPoolNumber;
    SetText(to.InternationalAccessCode, GetText(from.InternationalAccessCode));
    SetText(to.CountryCode, GetText(from.CountryCode));
    SetText(to.AreaCode, GetText(from.AreaCode));
    SetText(to.TelephoneNumber, GetText(from.TelephoneNumber));
}

void TakeDigital(const NetworkParameters& from, NetworkParameters& to) {
    SetText(to.SmtpProxyName, GetText(from.SmtpProxyName));
    SetText(to.LocalPrefix, GetText(from.LocalPrefix));
}

constexpr size_t kMaxProxyName = sizeof NetworkParameters{}.SmtpProxyName - 1;
constexpr size_t kMaxSiteHostName = 64;

// ---- prefixes ----------------------------------------------------------------------

// Two digit prefixes overlap when one begins the other: a number dialled
// could belong to either.
bool Overlap(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && (a.starts_with(b) || b.starts_with(a));
}

// StatusPrefixExists for an equal prefix among `others`, StatusPrefixOverlaps
// for one that begins or is begun by `prefix`, else 0.
template <class Range> zax::ServerStatus PrefixConflict(const std::string& prefix, Range others) {
    if (prefix.empty())
        return 0;
    zax::ServerStatus status = 0;
    for (const std::string& other : others) {
        if (other == prefix)
            return zax::StatusPrefixExists;
        if (Overlap(prefix, other))
            status = zax::StatusPrefixOverlaps;
    }
    return status;
}

// The mailbox prefixes of the digital sites other than `except`.
std::vector<std::string> MailboxPrefixes(const SimState& s, const std::string& except) {
    std::vector<std::string> prefixes;
    for (const auto& [key, site] : s.sites)
        if (key != except && site.SiteType == static_cast<int16_t>(zax::SiteType::Digital))
            prefixes.push_back(GetText(site.MailboxPrefix));
    return prefixes;
}

bool SameHost(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The site as the server keeps it: texts cut at their terminators, and only
// the fields of its type (a client may leave another type's values behind).
NetworkSite StoredSite(const NetworkSite& sent) {
    NetworkSite site{};
    SetText(site.SiteName, GetText(sent.SiteName));
    SetText(site.SitePrefix, GetText(sent.SitePrefix));
    site.SiteType = sent.SiteType;
    if (sent.SiteType == static_cast<int16_t>(zax::SiteType::Amis)) {
        site.OutgoingRouteKind = sent.OutgoingRouteKind;
        site.LineOrPoolNumber = sent.LineOrPoolNumber;
        SetText(site.TelephoneNumber, GetText(sent.TelephoneNumber));
    } else {
        SetText(site.HostName, GetText(sent.HostName));
        site.VoiceFormat = sent.VoiceFormat;
        SetText(site.MailboxPrefix, GetText(sent.MailboxPrefix));
    }
    return site;
}

} // namespace

// ---- networking parameters ----------------------------------------------------------

zax::ServerStatus SimConnection::GetGeneralNetworking(NetworkParameters& record) {
    record = model_.state().network;
    return 0;
}

zax::ServerStatus SimConnection::GetAmisNetworking(NetworkParameters& record) {
    record = model_.state().network;
    return 0;
}

zax::ServerStatus SimConnection::GetDigitalNetworking(NetworkParameters& record) {
    record = model_.state().network;
    return 0;
}

// The network group list choice is also what GetSystemInfo reports, so the
// next log-in sees it.
zax::ServerStatus SimConnection::SetGeneralNetworking(const NetworkParameters& record) {
    const SimState& s = model_.state();
    if (!IsStorableGeneralNetworking(record))
        return StatusInvalidRecord;
    NetworkParameters stored = s.network;
    TakeGeneral(record, stored);
    StateChange change(model_);
    change.PutNetworkParameters(stored);
    if (s.systemInfo.NetworkGroupListEnabled != record.NetworkGroupList) {
        zax::SystemInfo info = s.systemInfo;
        info.NetworkGroupListEnabled = record.NetworkGroupList;
        change.PutSystemInfo(info);
    }
    return change.Commit();
}

zax::ServerStatus SimConnection::SetAmisNetworking(const NetworkParameters& record) {
    const SimState& s = model_.state();
    if (!IsStorableAmisNetworking(s.systemInfo, record))
        return StatusInvalidRecord;
    NetworkParameters stored = s.network;
    TakeAmis(record, stored);
    StateChange change(model_);
    change.PutNetworkParameters(stored);
    return change.Commit();
}

// The local prefix routes numbers to this system: it may not equal or
// overlap a digital site's mailbox prefix.
zax::ServerStatus SimConnection::SetDigitalNetworking(const NetworkParameters& record) {
    const SimState& s = model_.state();
    const std::string proxy = GetText(record.SmtpProxyName);
    if (!proxy.empty() && !IsHostName(proxy, kMaxProxyName))
        return zax::StatusInvalidSmtpProxy;
    if (!IsStorableLocalPrefix(record))
        return StatusInvalidRecord;
    if (const zax::ServerStatus conflict =
            PrefixConflict(GetText(record.LocalPrefix), MailboxPrefixes(s, {})))
        return conflict;
    NetworkParameters stored = s.network;
    TakeDigital(record, stored);
    StateChange change(model_);
    change.PutNetworkParameters(stored);
    return change.Commit();
}

// ---- blocking periods ---------------------------------------------------------------

zax::ServerStatus SimConnection::GetBlockingPeriods(zax::BlockingPeriodTable& table) {
    table = model_.state().blockingPeriods;
    return 0;
}

zax::ServerStatus SimConnection::SetBlockingPeriods(const zax::BlockingPeriodTable& table) {
    if (!IsStorableBlockingPeriods(table))
        return StatusInvalidRecord;
    StateChange change(model_);
    change.PutBlockingPeriods(table);
    return change.Commit();
}

// ---- network sites ------------------------------------------------------------------

// Starts the enumeration; the record it answers with carries no site.
zax::ServerStatus SimConnection::OpenSiteList(NetworkSite& site) {
    site = NetworkSite{};
    siteEnumeration_ = {std::nullopt, true};
    return 0;
}

// Walks on from the prefix delivered last, so sites added or deleted
// meanwhile neither break the walk nor come twice.
zax::ServerStatus SimConnection::GetNextSite(NetworkSite& site) {
    if (!siteEnumeration_.active)
        return StatusNotInitialized;
    const auto& sites = model_.state().sites;
    const auto it =
        siteEnumeration_.last ? sites.upper_bound(*siteEnumeration_.last) : sites.begin();
    if (it == sites.end()) {
        siteEnumeration_.active = false;
        return StatusNoEntry;
    }
    site = it->second;
    siteEnumeration_.last = it->first;
    return 0;
}

zax::ServerStatus SimConnection::GetSite(NetworkSite& site) {
    const auto& sites = model_.state().sites;
    const auto it = sites.find(GetText(site.SitePrefix));
    if (it == sites.end())
        return StatusNoEntry;
    site = it->second;
    return 0;
}

// The checks AddSite and ChangeSite share, in the server's order: the record
// itself, the host name, the site prefix among the other sites, then a
// digital site's host and mailbox prefix among the others.
zax::ServerStatus SimConnection::CheckSite(const NetworkSite& site, bool adding) const {
    const SimState& s = model_.state();
    const std::string prefix = GetText(site.SitePrefix);
    const bool digital = site.SiteType == static_cast<int16_t>(zax::SiteType::Digital);
    if (!IsStorableSite(s.systemInfo, site, s.vpimAvailable != 0))
        return StatusInvalidRecord;
    const std::string host = GetText(site.HostName);
    if (digital && !IsHostName(host, kMaxSiteHostName))
        return zax::StatusInvalidHostName;
    if (adding && s.sites.contains(prefix))
        return zax::StatusSitePrefixExists;
    for (const auto& [key, other] : s.sites)
        if (key != prefix && Overlap(key, prefix))
            return zax::StatusSitePrefixOverlaps;
    if (!digital)
        return 0;
    for (const auto& [key, other] : s.sites)
        if (key != prefix && SameHost(GetText(other.HostName), host))
            return zax::StatusDuplicateHostName;
    std::vector<std::string> taken = MailboxPrefixes(s, prefix);
    taken.push_back(GetText(s.network.LocalPrefix));
    return PrefixConflict(GetText(site.MailboxPrefix), taken);
}

zax::ServerStatus SimConnection::AddSite(const NetworkSite& site) {
    const SimState& s = model_.state();
    if (s.sites.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.Sites, 0)))
        return StatusNoEntry;
    if (const zax::ServerStatus status = CheckSite(site, true))
        return status;
    StateChange change(model_);
    change.PutSite(StoredSite(site));
    return change.Commit();
}

zax::ServerStatus SimConnection::ChangeSite(const NetworkSite& site) {
    if (!model_.state().sites.contains(GetText(site.SitePrefix)))
        return StatusNoEntry;
    if (const zax::ServerStatus status = CheckSite(site, false))
        return status;
    StateChange change(model_);
    change.PutSite(StoredSite(site));
    return change.Commit();
}

// A site that a network mailbox still reaches stays.
zax::ServerStatus SimConnection::DeleteSite(const NetworkSite& site) {
    const SimState& s = model_.state();
    const std::string prefix = GetText(site.SitePrefix);
    if (!s.sites.contains(prefix))
        return StatusNoEntry;
    if (std::any_of(s.mailboxes.begin(), s.mailboxes.end(), [&](const auto& entry) {
            return GetText(entry.second.record.SitePrefix) == prefix;
        }))
        return StatusStillReferenced;
    StateChange change(model_);
    change.EraseSite(prefix);
    return change.Commit();
}

zax::ServerStatus SimConnection::IsSiteTableFull(uint8_t& full) {
    const SimState& s = model_.state();
    full = s.sites.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.Sites, 0)) ? 1 : 0;
    return 0;
}

zax::ServerStatus SimConnection::IsVpimAvailable(uint8_t& available) {
    available = model_.state().vpimAvailable != 0 ? 1 : 0;
    return 0;
}

} // namespace zaxsim
