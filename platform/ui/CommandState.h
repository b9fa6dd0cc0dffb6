#pragma once

// What update handlers say about one command while menus and bars are
// refreshed: enabled or not, its check state and its text. Whatever a handler
// leaves unset keeps the framework's rule (enabled exactly when some target
// handles the command) or the item's current look.

#include "platform/base/Types.h"

#include <optional>
#include <string>

namespace ui {

class CCommandState {
public:
    explicit CCommandState(WORD id)
        : m_id(id)
    {
    }

    WORD GetID() const { return m_id; }

    void Enable(bool on = true) { m_enabled = on; }
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked).
    void SetCheck(int check = 1) { m_check = check; }
    void SetText(const std::string& text) { m_text = text; }

    std::optional<bool> Enabled() const { return m_enabled; }
    std::optional<int> Check() const { return m_check; }
    const std::optional<std::string>& Text() const { return m_text; }

private:
    WORD m_id;
    std::optional<bool> m_enabled;
    std::optional<int> m_check;
    std::optional<std::string> m_text;
};

} // namespace ui
