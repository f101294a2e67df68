#pragma once
// The members of a group list as the member editor keeps them: the list as
// the server holds it and the list as the administrator has made it. OK
// sends only the difference, so a member removed and added back is never
// sent at all.

#include "server/Records.h"

#include <string>
#include <vector>

namespace lists {

struct GroupMember {
    zax::GroupListKind kind = zax::GroupListKind::Voice;
    std::string mailbox; // mailbox member: its number
    std::string faxName; // fax member: name, route, line or pool, dial string
    zax::FaxRoute route = zax::FaxRoute::ByExtension;
    int16_t lineOrPool = 0;
    std::string dialString;

    // What identifies a member within its list: a mailbox by its number, a
    // fax destination by its dial string.
    const std::string& Key() const {
        return kind == zax::GroupListKind::Fax ? dialString : mailbox;
    }
};

GroupMember MemberOf(const zax::GroupListRecord& record);
// The record that adds or removes `member` of list `number`: only the
// fields of its kind are set (a line or pool number only for those routes).
zax::GroupListRecord MemberRecord(const std::string& number, const GroupMember& member);

struct MemberChanges {
    std::vector<GroupMember> remove; // stored members no longer current, in stored order
    std::vector<GroupMember> add;    // current members not stored, in current order
};
MemberChanges DiffMembers(const std::vector<GroupMember>& stored,
                          const std::vector<GroupMember>& current);

} // namespace lists
