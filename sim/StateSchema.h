#pragma once
// The layout of the simulator's state database and the steps that bring a
// database of any earlier layout up to the current one.
//
// A database is recognised as ours by its application id; its layout
// version is PRAGMA user_version. Version 0 is a database without tables.
// The steps run in order inside the caller's transaction, so a database is
// either wholly upgraded or left as it was.

#include "Sqlite.h"

#include <cstdint>

namespace zaxsim {

// "ZAXS" in PRAGMA application_id: how a state database is told apart from
// any other SQLite file.
inline constexpr int64_t StateApplicationId = 0x5A415853;

// The layout this program reads and writes.
int CurrentSchemaVersion();

// Runs the steps from `version` to the current one and records the new
// version and the application id. Throws when `version` is newer than this
// program knows.
void MigrateSchema(Database& db, int64_t version);

} // namespace zaxsim
