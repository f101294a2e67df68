#pragma once
// Statements over the state tables, built from the column lists of
// StateColumns.h, shared by the loading and the saving of the state.

#include "StateColumns.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace zaxsim::statements {

inline std::string Placeholders(int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += i ? ", ?" : "?";
    return out;
}

// INSERT OR REPLACE INTO table (keys..., record columns..., extras...).
template <class R>
Statement& Insert(Database& db, const char* table, std::string_view keys, int keyCount,
                  std::string_view extras = {}, int extraCount = 0) {
    std::string sql = "INSERT OR REPLACE INTO ";
    sql += table;
    sql += " (";
    if (!keys.empty()) {
        sql += keys;
        sql += ", ";
    }
    sql += ColumnNames<R>();
    if (!extras.empty()) {
        sql += ", ";
        sql += extras;
    }
    sql += ") VALUES (" + Placeholders(keyCount + ColumnCount<R>() + extraCount) + ")";
    return db.Cached(sql);
}

template <class R>
Statement& Select(Database& db, const char* table, std::string_view keys, std::string_view extras,
                  std::string_view rest) {
    std::string sql = "SELECT ";
    if (!keys.empty()) {
        sql += keys;
        sql += ", ";
    }
    sql += ColumnNames<R>();
    if (!extras.empty()) {
        sql += ", ";
        sql += extras;
    }
    sql += " FROM ";
    sql += table;
    sql += " ";
    sql += rest;
    return db.Cached(sql);
}

// A statement with the key as its one parameter.
template <class Key> void RunWith(Database& db, const std::string& sql, const Key& key) {
    auto& s = db.Cached(sql);
    s.Bind(1, key);
    s.Run();
}

// Tables of one row.
template <class R> void SaveSingle(Database& db, const char* table, const R& r) {
    auto& s = Insert<R>(db, table, "Id", 1);
    s.Bind(1, int64_t{1});
    BindColumns(s, 2, r);
    s.Run();
}
template <class R> void LoadSingle(Database& db, const char* table, R& r) {
    auto& s = Select<R>(db, table, {}, {}, "WHERE Id = 1");
    if (!s.Step())
        throw std::runtime_error("its one row is missing");
    ReadColumns(s, 0, r);
    s.Reset();
}

// Records keyed by one of their own fields.
template <class R> void SaveRecord(Database& db, const char* table, const R& r) {
    auto& s = Insert<R>(db, table, {}, 0);
    BindColumns(s, 1, r);
    s.Run();
}

template <class Map, class Read> void LoadRows(Statement& s, Map& map, Read read) {
    while (s.Step()) {
        auto [key, value] = read(s);
        if (!map.emplace(key, std::move(value)).second)
            throw std::runtime_error("a key appears twice");
    }
    s.Reset();
}

template <class T> T At(const Statement& s, int column) {
    T v{};
    columns::ReadField(s, column, v);
    return v;
}

// A cell of a table of nested records (day and period, limit index): its
// place, checked against the table's size.
inline size_t Index(const Statement& s, int column, size_t size) {
    const int64_t i = s.Int(column);
    if (i < 0 || static_cast<uint64_t>(i) >= size)
        throw std::runtime_error("column " + s.ColumnName(column) + " is out of range");
    return static_cast<size_t>(i);
}

inline int64_t Flag(bool b) {
    return b ? 1 : 0;
}

// Names the table a failure happened in.
template <class Work> void InTable(const char* table, Work&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("table ") + table + ": " + e.what());
    }
}

} // namespace zaxsim::statements
