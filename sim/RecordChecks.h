#pragma once
// What the server accepts in a mailbox or class-of-service record that a
// client adds or changes, field by field: the ranges the server keeps, and
// for a field without one its own domain (a flag is 0 or 1, a line number
// names one of the server's lines). Rules that look at other records (an
// extension already taken, a type changed) belong to the procedures.

#include "server/Records.h"

namespace zaxsim {

bool IsStorableMailbox(const zax::SystemInfo& system, const zax::MailboxRecord& record);
bool IsStorableClassOfService(const zax::SystemInfo& system, const zax::CosRecord& record);

} // namespace zaxsim
