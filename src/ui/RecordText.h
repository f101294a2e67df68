#pragma once
// The one encoding of the records' fixed text fields on this side: each byte
// is the Latin-1 character of the same value. Nothing the server holds is
// lost on the way to a control and back, and byte order is character order,
// so lists sort as the server's bytes do. A typed character outside Latin-1
// becomes '?', which every entry check refuses where it matters.
//
// Every text that crosses between a control and a record goes through here:
// names, numbers, the log-in password.

#include "server/Records.h"

#include <QString>

#include <string>
#include <string_view>

namespace ui {

inline QString FromRecordBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The bytes a text stands for: what the entry checks read and the server gets.
inline std::string RecordBytes(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

template <size_t N> QString RecordText(const char (&field)[N]) {
    return FromRecordBytes(zax::GetText(field));
}

// At most N-1 characters are kept, as the field holds them.
template <size_t N> void SetRecordText(char (&field)[N], const QString& text) {
    zax::SetText(field, RecordBytes(text));
}

} // namespace ui
