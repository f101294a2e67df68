#pragma once
// Any wire record as a JSON object and back, field by field under the
// record's own field names. Text fields are Latin-1 on the wire and UTF-8 in
// JSON; the fields the client never interprets (ReservedN) are left out, so
// a record read back from JSON keeps whatever the server had there.

#include "server/Records.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace ctl {

using Json = nlohmann::ordered_json;

// A value in a snapshot that cannot go into its record; what() names the
// field and the reason.
class RecordJsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Latin-1 bytes as UTF-8, and back. FromUtf8 throws RecordJsonError for a
// character outside Latin-1 or bytes that are not UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);
std::string Utf8ToLatin1(std::string_view utf8);

// Appends a member that is known not to be there yet (a table read in key
// order), without the search an insertion by key makes through every
// member before it: a table of 10,000 entries would otherwise take 50
// million comparisons to build.
inline void AppendMember(Json& object, std::string key, Json value) {
    if (object.is_null())
        object = Json::object();
    object.get_ref<Json::object_t&>().emplace_back(std::move(key), std::move(value));
}

// A keyed table's members by key. Finding a member in the document itself
// searches every member before it, which for a table of thousands of
// mailboxes, compared both ways, adds up to millions of comparisons.
class Keyed {
public:
    explicit Keyed(const Json& table) {
        if (table.is_object())
            for (auto it = table.begin(); it != table.end(); ++it) {
                index_.emplace(it.key(), &it.value());
                keys_.push_back(it.key());
            }
    }
    bool contains(const std::string& key) const { return index_.contains(key); }
    const Json& operator[](const std::string& key) const { return *index_.at(key); }
    const std::vector<std::string>& keys() const { return keys_; } // in the table's order

private:
    std::unordered_map<std::string, const Json*> index_;
    std::vector<std::string> keys_;
};

inline bool IsReservedField(std::string_view name) {
    return name.starts_with("Reserved");
}

template <class T> Json ToJson(const T& record);
template <class T> void FromJson(const Json& object, T& record, const std::string& where = {});

namespace detail {

template <class T> Json ValueToJson(const T& value) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<int64_t>(value);
    } else if constexpr (std::is_array_v<T> && std::is_same_v<std::remove_all_extents_t<T>, char> &&
                         std::rank_v<T> == 1) {
        return Latin1ToUtf8(zax::GetText(value));
    } else if constexpr (std::is_array_v<T>) {
        Json array = Json::array();
        for (const auto& element : value)
            array.push_back(ValueToJson(element));
        return array;
    } else {
        return ToJson(value);
    }
}

template <class T> void ValueFromJson(const Json& json, T& value, const std::string& where) {
    if constexpr (std::is_integral_v<T>) {
        if (!json.is_number_integer())
            throw RecordJsonError(where + ": a whole number is expected");
        if (json.is_number_unsigned() &&
            json.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            throw RecordJsonError(where + ": " + json.dump() + " is out of range");
        const auto n = json.get<int64_t>();
        if (n < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
            n > static_cast<int64_t>(std::numeric_limits<T>::max()))
            throw RecordJsonError(where + ": " + std::to_string(n) + " is out of range");
        value = static_cast<T>(n);
    } else if constexpr (std::is_array_v<T> && std::is_same_v<std::remove_all_extents_t<T>, char> &&
                         std::rank_v<T> == 1) {
        if (!json.is_string())
            throw RecordJsonError(where + ": a text is expected");
        std::string bytes;
        try {
            bytes = Utf8ToLatin1(json.get<std::string>());
        } catch (const RecordJsonError& e) {
            throw RecordJsonError(where + ": " + e.what());
        }
        // The server may fill a field completely, without a terminator; such
        // a text goes back as it came. Whether a field may be full is the
        // server's to say.
        if (bytes.size() > std::extent_v<T> || bytes.find('\0') != std::string::npos)
            throw RecordJsonError(where + ": longer than " + std::to_string(std::extent_v<T>) +
                                  " characters");
        zax::SetText(value, bytes);
        if (bytes.size() == std::extent_v<T>)
            std::memcpy(value, bytes.data(), bytes.size());
    } else if constexpr (std::is_array_v<T>) {
        if (!json.is_array() || json.size() != std::extent_v<T>)
            throw RecordJsonError(where + ": a list of " + std::to_string(std::extent_v<T>) +
                                  " is expected");
        for (size_t i = 0; i < std::extent_v<T>; ++i)
            ValueFromJson(json[i], value[i], where + "[" + std::to_string(i) + "]");
    } else {
        FromJson(json, value, where);
    }
}

} // namespace detail

template <class T> Json ToJson(const T& record) {
    Json object = Json::object();
    zax::VisitFields(record, [&](const auto& field, const char* name) {
        if (!IsReservedField(name))
            object[name] = detail::ValueToJson(field);
    });
    return object;
}

// Sets the fields `object` names; fields it leaves out keep their value. A
// member that is no field of the record is refused, so a misspelt name is
// not silently ignored.
template <class T> void FromJson(const Json& object, T& record, const std::string& where) {
    if (!object.is_object())
        throw RecordJsonError((where.empty() ? std::string("record") : where) +
                              ": an object is expected");
    size_t known = 0;
    zax::VisitFields(record, [&](auto& field, const char* name) {
        if (IsReservedField(name))
            return;
        const auto it = object.find(name);
        if (it == object.end())
            return;
        ++known;
        detail::ValueFromJson(*it, field, where.empty() ? std::string(name) : where + "." + name);
    });
    if (known != object.size()) {
        for (auto member = object.begin(); member != object.end(); ++member) {
            const std::string& key = member.key();
            bool found = false;
            zax::VisitFields(record, [&](const auto&, const char* name) {
                found = found || (key == name && !IsReservedField(name));
            });
            if (!found)
                throw RecordJsonError((where.empty() ? key : where + "." + key) +
                                      ": no such field");
        }
    }
}

} // namespace ctl
