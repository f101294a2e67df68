#pragma once
// What each menu command of the main frame does. The subsystems register
// the commands whose dialogs they own; a command nobody registered is shown
// greyed, so an administrator never meets a menu item that does nothing.
#include <QWidget>

#include <functional>
#include <map>

namespace app {

struct Session;

using CommandHandler = std::function<void(Session& session, QWidget* owner)>;

class CommandTable {
public:
    void Register(int commandId, CommandHandler handler) {
        handlers_[commandId] = std::move(handler);
    }
    const CommandHandler* Find(int commandId) const {
        const auto it = handlers_.find(commandId);
        return it == handlers_.end() ? nullptr : &it->second;
    }

private:
    std::map<int, CommandHandler> handlers_;
};

} // namespace app
