#pragma once
// A change the database refuses half-way: a trigger aborts one of its
// writes. The change must then leave nothing behind, in memory or on disk,
// and succeed once the database lets it through.

#include "SameState.h"
#include "SimConnection.h"
#include "Sqlite.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zaxsim::test {

inline void
ExpectChangeRolledBackWhenRefused(const std::string& failingWrite,
                                  const std::function<zax::ServerStatus(SimConnection&)>& change) {
    TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    SimModel model(StateDatabase::Open(file));
    SimConnection conn(model, 1);
    const SimState before = model.state();
    Database other(file, Database::Mode::ReadWrite);
    other.Exec("CREATE TRIGGER fail BEFORE " + failingWrite +
               " BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");

    EXPECT_EQ(change(conn), StatusNotStored);
    ExpectSameState(before, model.state());
    ExpectSameState(before, StateDatabase::Read(file));

    other.Exec("DROP TRIGGER fail");
    EXPECT_EQ(change(conn), 0);
    ExpectSameState(model.state(), StateDatabase::Read(file));
}

} // namespace zaxsim::test
