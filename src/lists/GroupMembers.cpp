#include "lists/GroupMembers.h"

#include <algorithm>

namespace lists {

namespace {

bool Holds(const std::vector<GroupMember>& members, const GroupMember& m) {
    return std::any_of(members.begin(), members.end(),
                       [&](const GroupMember& x) { return x.Key() == m.Key(); });
}

} // namespace

GroupMember MemberOf(const zax::GroupListRecord& r) {
    GroupMember m;
    m.kind = static_cast<zax::GroupListKind>(r.Kind);
    if (m.kind == zax::GroupListKind::Fax) {
        m.faxName = zax::GetText(r.FaxMemberName);
        m.route = static_cast<zax::FaxRoute>(r.FaxRoute);
        m.lineOrPool = r.LineOrPoolNumber;
        m.dialString = zax::GetText(r.DialString);
    } else {
        m.mailbox = zax::GetText(r.MemberMailbox);
    }
    return m;
}

zax::GroupListRecord MemberRecord(const std::string& number, const GroupMember& m) {
    zax::GroupListRecord r{};
    zax::SetText(r.ListNumber, number);
    r.Kind = static_cast<int16_t>(m.kind);
    if (m.kind == zax::GroupListKind::Voice) {
        zax::SetText(r.MemberMailbox, m.mailbox);
        return r;
    }
    zax::SetText(r.FaxMemberName, m.faxName);
    r.FaxRoute = static_cast<int16_t>(m.route);
    if (m.route == zax::FaxRoute::ByLine || m.route == zax::FaxRoute::ByPool)
        r.LineOrPoolNumber = m.lineOrPool;
    zax::SetText(r.DialString, m.dialString);
    return r;
}

MemberChanges DiffMembers(const std::vector<GroupMember>& stored,
                          const std::vector<GroupMember>& current) {
    MemberChanges changes;
    for (const GroupMember& m : stored)
        if (!Holds(current, m))
            changes.remove.push_back(m);
    for (const GroupMember& m : current)
        if (!Holds(stored, m))
            changes.add.push_back(m);
    return changes;
}

} // namespace lists
