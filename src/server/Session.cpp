#include "server/Session.h"

namespace zax {

Session& CurrentSession() {
    static Session session;
    return session;
}

bool PasswordMatches(const std::string& typed, const SystemInfo& info) {
    constexpr size_t maxChars = sizeof(SystemInfo::AdminPassword) - 1;
    return typed == GetText(info.AdminPassword).substr(0, maxChars);
}

} // namespace zax
