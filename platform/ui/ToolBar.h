#pragma once

// A dockable tool bar built from a tool-bar layout: flat buttons with images
// and tool tips (the tip part of each command's string, the prompt going to
// the status bar), separators, combo boxes placed in the slot of a button,
// and drop-down buttons whose arrow reports the button id and its rectangle
// in screen coordinates instead of running the command.

#include "platform/base/Types.h"

#include <QToolBar>

#include <functional>
#include <vector>

namespace ui {

class CComboBox;
class CCommandRouter;
struct ToolBarLayout;

class CToolBar : public QToolBar {
public:
    using CommandSink = std::function<void(WORD id)>;
    using DropDownSink = std::function<void(WORD id, const RECT& screenRect)>;

    // barId numbers the bar for its show/hide command and for the saved layout.
    explicit CToolBar(WORD barId, QWidget* parent = nullptr);
    ~CToolBar() override;

    WORD GetBarId() const { return m_barId; }

    // The layout of that number from the resource table; false when missing.
    bool LoadToolBar(UINT layoutId);
    void SetLayout(const ToolBarLayout& layout);

    void SetCommandSink(CommandSink sink) { m_commandSink = std::move(sink); }
    void SetDropDownSink(DropDownSink sink) { m_dropDownSink = std::move(sink); }

    int GetCount() const { return static_cast<int>(m_items.size()); }
    WORD GetItemID(int index) const;
    // Index of the first item with the id; -1 when none.
    int CommandToIndex(WORD id) const;
    // In the bar's client coordinates; empty for an unknown index.
    RECT GetItemRect(int index) const;

    bool SetDropDownButton(WORD id);
    // Puts a drop-down list in place of the button: the button becomes a
    // separator as wide as the rectangle, the combo sits in it, centred
    // vertically, and drops down to the rectangle's height. Null when there is
    // no such button. The bar owns the combo.
    CComboBox* AddComboBox(const RECT& rect, WORD id);

    void CheckButton(WORD id, bool checked);
    bool IsButtonChecked(WORD id) const;
    void EnableButton(WORD id, bool enabled);
    void HideButton(WORD id, bool hidden);

    // Enabled and check state of every button from the command chain.
    void UpdateCommandStates(const CCommandRouter& router);

private:
    class Button;
    // One slot of the bar: a button, a separator or a control in a
    // separator's place. slot is the bar's own action for it.
    struct Item {
        WORD id = 0;
        QAction* slot = nullptr;
        QAction* command = nullptr;
        Button* button = nullptr;
        QWidget* control = nullptr;
    };
    Item* FindItem(WORD id);
    const Item* FindItem(WORD id) const;

    WORD m_barId;
    std::vector<Item> m_items;
    CommandSink m_commandSink;
    DropDownSink m_dropDownSink;
};

} // namespace ui
