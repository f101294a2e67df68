#include "server/Session.h"

namespace zax {

Session& CurrentSession() {
    static Session session;
    return session;
}

} // namespace zax
