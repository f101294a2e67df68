#pragma once
// What the server accepts in a record that a client adds or changes, field
// by field: the ranges the server keeps, and for a field without one its own
// domain (a flag is 0 or 1, a line number names one of the server's lines).
// Rules that look at other records (an extension already taken, a type
// changed, a leading digit that mailboxes begin with) belong to the
// procedures.

#include "server/Records.h"

#include <string>

namespace zaxsim {

bool IsStorableMailbox(const zax::SystemInfo& system, const zax::MailboxRecord& record);
bool IsStorableClassOfService(const zax::SystemInfo& system, const zax::CosRecord& record);

// Operator settings, fax and system parameters.
bool IsStorableOperatorSettings(const zax::SystemInfo& system, const zax::OperatorSettings& record);
bool IsStorableFaxParameters(const zax::SystemInfo& system, const zax::FaxParameters& record);
bool IsStorableSystemParameters(const zax::SystemInfo& system, const zax::SystemParameters& record);

// Networking. Each procedure pair of the shared parameter record checks only
// the fields it owns; the host names are checked by the procedures, which
// answer a status of their own for them.
bool IsStorableGeneralNetworking(const zax::NetworkParameters& record);
bool IsStorableAmisNetworking(const zax::SystemInfo& system, const zax::NetworkParameters& record);
bool IsStorableLocalPrefix(const zax::NetworkParameters& record);
bool IsStorableBlockingPeriods(const zax::BlockingPeriodTable& table);
// Everything of a site but its host name; VPIM only where the server has it.
bool IsStorableSite(const zax::SystemInfo& system, const zax::NetworkSite& site,
                    bool vpimAvailable);
// Letters, digits, "-", "_" and ".", never two dots in a row; 1 to maxLength.
bool IsHostName(const std::string& text, size_t maxLength);

// A greeting table's own fields; whether its CCR tree exists is the
// procedure's to judge.
bool IsStorableGreetingTable(const zax::SystemInfo& system, const zax::GreetingTableRecord& record);

} // namespace zaxsim
