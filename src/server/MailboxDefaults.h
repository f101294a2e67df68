#pragma once
// What a new mailbox of each type starts with before the administrator
// changes anything: the values the server accepts for a mailbox nobody has
// set up yet.

#include "server/Records.h"

#include <string_view>

namespace zax {

inline MailboxRecord NewMailboxRecord(std::string_view number, MailboxType type) {
    const auto t = static_cast<int16_t>(type);
    MailboxRecord r{};
    SetText(r.Number, number);
    r.Type = t;
    r.ClassOfService = 1;
    r.Directory = 1;
    r.MessageWaiting = type == MailboxType::Subscriber ? 1 : 0;
    r.OutdialKind =
        static_cast<int16_t>(type == MailboxType::Amis ? OutdialKind::Line : OutdialKind::None);
    const bool overflow = type == MailboxType::FaxOverflow;
    r.FaxRetries = overflow ? 99 : 3;
    r.FaxInterval = overflow ? 1 : 10;
    return r;
}

} // namespace zax
