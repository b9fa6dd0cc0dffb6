#include "platform/ui/Menu.h"

#include "platform/ui/CommandRouter.h"
#include "platform/ui/CommandTarget.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/Text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ui {

WORD CommandIdOf(const QAction* action)
{
    return action ? static_cast<WORD>(action->data().toUInt()) : 0;
}

void AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, const CommandSink& sink)
{
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            QMenu* popup = menu->addMenu(ToQString(item.text));
            AddMenuItems(popup, item.items, sink);
        } else {
            QAction* action = menu->addAction(ToQString(item.text));
            action->setData(static_cast<uint>(item.id));
            action->setEnabled(!(item.flags & MF_GRAYED));
            if (item.flags & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            std::string prompt = CResourceTable::Instance().Prompt(item.id);
            if (!prompt.empty())
                action->setStatusTip(ToQString(prompt));
            WORD id = item.id;
            QObject::connect(action, &QAction::triggered, menu, [sink, id, action] {
                // The check mark follows the command's state, not the click.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                if (sink)
                    sink(id);
            });
        }
    }
}

void BuildMenuBar(QMenuBar* bar, const MenuResource& menu, const CommandSink& sink)
{
    bar->clear();
    for (const MenuItem& popup : menu.popups) {
        if (popup.IsPopup()) {
            QMenu* sub = bar->addMenu(ToQString(popup.text));
            AddMenuItems(sub, popup.items, sink);
        } else if (!popup.IsSeparator()) {
            QAction* action = bar->addAction(ToQString(popup.text));
            action->setData(static_cast<uint>(popup.id));
            WORD id = popup.id;
            QObject::connect(action, &QAction::triggered, bar, [sink, id] {
                if (sink)
                    sink(id);
            });
        }
    }
}

QAction* FindMenuItem(const QMenu* menu, WORD id)
{
    if (!menu)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            if (QAction* found = FindMenuItem(action->menu(), id))
                return found;
        } else if (!action->isSeparator() && CommandIdOf(action) == id) {
            return action;
        }
    }
    return nullptr;
}

QAction* FindMenuItem(const QMenuBar* bar, WORD id)
{
    for (QAction* action : bar->actions()) {
        if (action->menu()) {
            if (QAction* found = FindMenuItem(action->menu(), id))
                return found;
        } else if (CommandIdOf(action) == id) {
            return action;
        }
    }
    return nullptr;
}

bool RemoveMenuItem(QMenu* menu, WORD id)
{
    bool removed = false;
    for (QAction* action : menu->actions()) {
        if (!action->menu() && !action->isSeparator() && CommandIdOf(action) == id) {
            menu->removeAction(action);
            action->deleteLater();
            removed = true;
        }
    }
    return removed;
}

CPopupMenu::CPopupMenu(const MenuResource& menu, size_t popupIndex, CCommandTarget* owner, QWidget* parent)
    : m_menu(std::make_unique<QMenu>(parent))
{
    if (popupIndex >= menu.popups.size())
        return;
    AddMenuItems(m_menu.get(), menu.popups[popupIndex].items, [owner](WORD id) {
        // Nobody handling the command is fine here: the item simply does nothing.
        if (owner)
            CCommandRouter(*owner).Execute(id);
    });
}

CPopupMenu::~CPopupMenu() = default;

WORD CPopupMenu::Track(POINT screenPoint)
{
    QAction* chosen = m_menu->exec(ToQPoint(screenPoint));
    return CommandIdOf(chosen);
}

} // namespace ui
