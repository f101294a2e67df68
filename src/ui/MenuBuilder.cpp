#include "ui/MenuBuilder.h"

#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ui {
namespace {

QAction* MakeCommand(const MenuEntry& entry, QObject* owner) {
    auto* action = new QAction(entry.text, owner);
    action->setData(entry.id);
    action->setStatusTip(LanguageModule::String(entry.id));
    return action;
}

void FillMenu(QMenu& menu, const std::vector<MenuEntry>& entries,
              std::map<int, QAction*>& actions) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::Popup:
            FillMenu(*menu.addMenu(e.text), e.children, actions);
            break;
        case MenuEntry::Kind::Command:
            actions[e.id] = MakeCommand(e, &menu);
            menu.addAction(actions[e.id]);
            break;
        }
    }
}

} // namespace

std::map<int, QAction*> BuildMenuBar(QMenuBar& bar) {
    // The bar only lets go of what it shows when it is cleared: the menus
    // built last time (with their submenus and items) and its own commands
    // stay its children, so they are deleted here, not left to pile up.
    const QList<QAction*> old = bar.actions();
    bar.clear();
    for (QAction* item : old) {
        if (QMenu* menu = item->menu<QMenu*>()) {
            delete menu; // its menu action goes with it
        } else if (item->parent() == &bar) {
            delete item;
        }
    }
    std::map<int, QAction*> actions;
    for (const MenuEntry& e : LanguageModule::Menu(2)) {
        if (e.kind == MenuEntry::Kind::Popup) {
            FillMenu(*bar.addMenu(e.text), e.children, actions);
        } else if (e.kind == MenuEntry::Kind::Command) {
            actions[e.id] = MakeCommand(e, &bar);
            bar.addAction(actions[e.id]);
        }
    }
    return actions;
}

std::vector<QIcon> ToolbarButtonImages() {
    return LanguageModule::ToolbarImages(2);
}

} // namespace ui
