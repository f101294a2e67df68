#pragma once
// Differences between two snapshots, or two versions of one object, as
// lines a person reads: one line per changed object, in the snapshot's
// section order and key order, so the same two files always give the same
// text.
//   mailbox 2002: Name "BAKER,THOMAS" → "BAKER,TOM"
//   mailbox 2010: added
//   group list 9001: Members removed {"MemberMailbox":"2005",…}

#include "ctl/RecordJson.h"

#include <string>
#include <string_view>
#include <vector>

namespace ctl {

// "Name "A" → "B", Rings 3 → 4" for the fields of `before` and `after`
// (objects) that differ, nested fields by path (Hours[0][1].Hour); empty
// when they are equal.
std::string DescribeChanges(const Json& before, const Json& after);

// What a section's objects are called ("mailbox", "class of service").
std::string ObjectLabel(std::string_view section);

// Every difference between two snapshots.
std::vector<std::string> DiffSnapshots(const Json& a, const Json& b);

} // namespace ctl
