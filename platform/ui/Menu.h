#pragma once

// Qt menus built from menu resources. Every command item carries its command
// id and its status-bar prompt; choosing it calls the given function with the
// id. A popup tracked for an owner sends its commands through the owner's
// command chain and keeps its items as the resource made them: enabled unless
// created grayed, even where nobody handles the command.

#include "platform/base/Types.h"
#include "platform/ui/MenuResource.h"

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ui {

class CCommandTarget;

using CommandSink = std::function<void(WORD id)>;

// The command id an action of a built menu carries; 0 for none.
WORD CommandIdOf(const QAction* action);

void BuildMenuBar(QMenuBar* bar, const MenuResource& menu, const CommandSink& sink);
// Adds the items to the menu (popups become sub-menus).
void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, const CommandSink& sink);
// The first item with the id in the menu or its sub-menus.
QAction* FindMenuItem(const QMenu* menu, WORD id);
QAction* FindMenuItem(const QMenuBar* bar, WORD id);
// Removes every item with the id; true when one was there.
bool RemoveMenuItem(QMenu* menu, WORD id);

class CPopupMenu {
public:
    // The popup at popupIndex of the menu resource, for the owner.
    CPopupMenu(const MenuResource& menu, size_t popupIndex, CCommandTarget* owner, QWidget* parent = nullptr);
    ~CPopupMenu();
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    QMenu* GetMenu() const { return m_menu.get(); }
    // Shows the popup with its top-left corner at the screen point and
    // returns once it closed; the chosen command (0 for none) has been sent.
    WORD Track(POINT screenPoint);

private:
    std::unique_ptr<QMenu> m_menu;
};

} // namespace ui
