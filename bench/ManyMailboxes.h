#pragma once
// A large office for the benchmarks: the demo office with its mailboxes
// replaced by `count` subscribers numbered from 10000, each with its number
// as extension, named in another order than their numbers.

#include "SimState.h"
#include "server/MailboxDefaults.h"

#include <cstdio>
#include <string>

namespace benchsupport {

// Where mailbox i's name falls in the order of names.
inline int ShuffledIndex(int i, int count) {
    return (i * 7919) % count;
}

inline zaxsim::SimState ManyMailboxes(int count) {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.mailboxes.clear();
    s.groupLists.clear();
    s.clid.clear();
    s.nameRecordings.clear();
    s.systemInfo.ExtensionLength = 5;
    s.capacity.Mailboxes = static_cast<int16_t>(2 * count);
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(10000 + i);
        zaxsim::Mailbox m;
        m.record = zax::NewMailboxRecord(number, zax::MailboxType::Subscriber);
        char name[21];
        std::snprintf(name, sizeof name, "NAME%05d,FIRST", ShuffledIndex(i, count));
        zax::SetText(m.record.Name, name);
        zax::SetText(m.record.Extension, number);
        s.mailboxes.emplace(number, m);
    }
    return s;
}

} // namespace benchsupport
