#pragma once
// What each menu command of the main frame does. Each feature registers the
// commands whose dialogs it owns, with when they are available; a command
// nobody registered is shown greyed, so an administrator never meets a menu
// item that does nothing. The frame walks this table and knows no feature.
#include "server/Records.h"

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace zax {
struct Session;
}

namespace ui {

using CommandHandler = std::function<void(zax::Session& session, QWidget* owner)>;
// Whether the server offers the command; a command without one always is.
using CommandAvailability = bool (*)(const zax::SystemInfo& system);

struct CommandEntry {
    int id = 0;
    CommandHandler run;
    CommandAvailability available = nullptr;
    // The command may change what the server offers (System Parameters): the
    // frame re-reads the availability of every command after running it.
    bool refreshesMenus = false;

    bool IsAvailable(const zax::SystemInfo& system) const {
        return available == nullptr || available(system);
    }
};

// The usual way a command runs: make the window over the session, Run() it
// (which reads before showing) and discard it.
template <class Window> void OpenWindow(zax::Session& session, QWidget* owner) {
    Window window(session, owner);
    window.Run();
}

class CommandTable {
public:
    void Register(CommandEntry entry) {
        const int id = entry.id;
        entries_[id] = std::move(entry);
    }
    void Register(int commandId, CommandHandler handler) {
        Register(CommandEntry{commandId, std::move(handler)});
    }
    const CommandEntry* Find(int commandId) const {
        const auto it = entries_.find(commandId);
        return it == entries_.end() ? nullptr : &it->second;
    }
    // Every registered command, in ascending order of id.
    std::vector<int> Ids() const {
        std::vector<int> ids;
        ids.reserve(entries_.size());
        for (const auto& entry : entries_)
            ids.push_back(entry.first);
        return ids;
    }

private:
    std::map<int, CommandEntry> entries_;
};

} // namespace ui
