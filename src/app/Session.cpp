#include "Session.h"

namespace app {

Session& CurrentSession() {
    static Session session;
    return session;
}

} // namespace app
