#pragma once

// A menu as data: a bar of popups, each a list of command items, separators
// and nested popups. Items may start grayed or checked.

#include "platform/base/Types.h"

#include <string>
#include <vector>

constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_CHECKED = 0x0008;

namespace ui {

struct MenuItem {
    enum class Kind { Command, Popup, Separator };

    Kind kind = Kind::Command;
    WORD id = 0;
    // "&" marks the mnemonic; "\t" separates the accelerator text.
    std::string text;
    UINT flags = 0;
    std::vector<MenuItem> items;

    bool IsPopup() const { return kind == Kind::Popup; }
    bool IsSeparator() const { return kind == Kind::Separator; }

    static MenuItem Command(WORD id, std::string text, UINT flags = 0)
    {
        return MenuItem { Kind::Command, id, std::move(text), flags, {} };
    }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items)
    {
        return MenuItem { Kind::Popup, 0, std::move(text), 0, std::move(items) };
    }
    static MenuItem Separator() { return MenuItem { Kind::Separator, 0, {}, 0, {} }; }
};

struct MenuResource {
    std::vector<MenuItem> popups;
};

} // namespace ui
