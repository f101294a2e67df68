// The simulated server's side of adding mailboxes: whether a number is
// taken, whether the tables have room, and a whole range of subscribers
// created in one change.

#include "RecordChecks.h"
#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zaxsim {

using zax::GetText;
using zax::SetText;

namespace {

// A range is given by two extensions of the system's length; its numbers
// are decimal, so they can be stepped through.
bool IsExtension(const zax::SystemInfo& system, const std::string& text) {
    return !text.empty() && text.size() == static_cast<size_t>(system.ExtensionLength) &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// The fields the client sets alike in both records of a range.
bool SameSettings(const zax::MailboxRecord& a, const zax::MailboxRecord& b) {
    return a.Type == b.Type && a.ClassOfService == b.ClassOfService &&
           a.OutdialKind == b.OutdialKind && a.OutdialNumber == b.OutdialNumber &&
           a.MessageWaiting == b.MessageWaiting && a.Directory == b.Directory &&
           a.CallScreening == b.CallScreening;
}

// The number with leading zeros to the system's extension length.
std::string ExtensionText(long value, size_t length) {
    std::string text = std::to_string(value);
    return std::string(length > text.size() ? length - text.size() : 0, '0') + text;
}

// Whether a new mailbox may take `number` as its number and extension.
bool IsFreeNumber(const SimState& s, const std::string& number) {
    return !s.mailboxes.contains(number) && !s.groupLists.contains(number) &&
           s.FindByExtension(number) == nullptr;
}

// The last number of `length` digits that begins with the same digit as `n`.
long LastWithLeadingDigitOf(long n, size_t length) {
    long block = 1;
    for (size_t i = 1; i < length; ++i)
        block *= 10;
    return (n / block + 1) * block - 1;
}

// A subscriber of the range: the shared settings of `shape`, the number as
// number and extension, and a name the administrator replaces later.
Mailbox NewSubscriber(const zax::MailboxRecord& shape, const std::string& number) {
    Mailbox m;
    zax::MailboxRecord& r = m.record;
    r.Type = static_cast<int16_t>(zax::MailboxType::Subscriber);
    r.ClassOfService = shape.ClassOfService;
    r.OutdialKind = shape.OutdialKind;
    r.OutdialNumber = shape.OutdialNumber;
    r.MessageWaiting = shape.MessageWaiting;
    r.Directory = shape.Directory;
    r.CallScreening = shape.CallScreening;
    r.FaxRetries = 3;
    r.FaxInterval = 10;
    SetText(r.Number, number);
    SetText(r.Extension, number);
    SetText(r.Name, "MAILBOX," + number);
    return m;
}

// How many more entries a table of `capacity` holding `used` takes.
size_t Room(int16_t capacity, size_t used) {
    const auto total = static_cast<size_t>(std::max<int16_t>(capacity, 0));
    return total > used ? total - used : 0;
}

size_t RoomIn(const SimState& s) {
    return Room(s.capacity.Mailboxes, s.mailboxes.size());
}

} // namespace

zax::ServerStatus SimConnection::QueryMailboxState(const zax::Chars<8>& number, uint8_t& exists,
                                                   uint8_t& initialized) {
    exists = 0;
    initialized = 0;
    // A number that fills the array has no terminator: it names no mailbox.
    if (std::memchr(number.data(), 0, number.size()) == nullptr)
        return StatusInvalidRecord;
    const auto& mailboxes = model_.state().mailboxes;
    const auto it = mailboxes.find(std::string(number.data()));
    if (it != mailboxes.end()) {
        exists = 1;
        initialized = it->second.initialized ? 1 : 0;
    }
    return 0;
}

zax::ServerStatus SimConnection::CheckFreeEntry(int16_t kind) {
    const SimState& s = model_.state();
    switch (static_cast<zax::EntryKind>(kind)) {
    case zax::EntryKind::Mailbox:
        return RoomIn(s) > 0 ? 0 : StatusNoEntry;
    case zax::EntryKind::GroupList:
        return Room(s.capacity.GroupLists, s.groupLists.size()) > 0 ? 0 : StatusNoEntry;
    }
    return StatusInvalidRecord;
}

zax::ServerStatus SimConnection::AddMailboxRange(const zax::MailboxRecord& from,
                                                 const zax::MailboxRecord& to, int16_t& count) {
    count = 0;
    const SimState& s = model_.state();
    const std::string first = GetText(from.Extension);
    const std::string last = GetText(to.Extension);
    if (!IsExtension(s.systemInfo, first) || !IsExtension(s.systemInfo, last) ||
        !SameSettings(from, to) || from.Type != static_cast<int16_t>(zax::MailboxType::Subscriber))
        return StatusInvalidRecord;
    const long low = std::stol(first);
    const long high = std::stol(last);
    if (low > high)
        return StatusInvalidRecord;
    // The shared settings are checked once, on the first mailbox they make.
    const auto length = static_cast<size_t>(s.systemInfo.ExtensionLength);
    if (!IsStorableMailbox(s.systemInfo, NewSubscriber(from, first).record))
        return StatusInvalidRecord;

    // Numbers in use are passed over; the range stops where the table is full.
    // The group lists' numbers are skipped as one block, so every other step
    // either fills an entry or passes a taken number: a wide range costs no
    // more than the table's size.
    StateChange change(model_);
    int16_t made = 0;
    for (long n = low; n <= high && RoomIn(change.state()) > 0; ++n) {
        const std::string number = ExtensionText(n, length);
        if (change.state().InGroupListRange(number)) {
            n = LastWithLeadingDigitOf(n, length);
            continue;
        }
        if (!IsFreeNumber(change.state(), number))
            continue;
        change.PutMailbox(NewSubscriber(from, number));
        ++made;
    }
    RefreshHomonyms(change);
    if (const zax::ServerStatus status = change.Commit())
        return status;
    count = made;
    return 0;
}

} // namespace zaxsim
