#pragma once

// The program's resources, registered as data at start-up: menus, accelerator
// tables, tool-bar layouts, strings and dialog templates, each by number and
// in up to two languages. A lookup takes the Chinese copy when the user
// interface is Chinese and the English copy otherwise, and falls back to
// whichever copy exists.

#include "platform/base/Types.h"
#include "platform/ui/AcceleratorTable.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MenuResource.h"
#include "platform/ui/ToolBarLayout.h"

#include <map>
#include <string>
#include <utility>

namespace ui {

constexpr LANGID LanguageEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033
constexpr LANGID LanguageChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED); // 2052

class CResourceTable {
public:
    static CResourceTable& Instance();

    void AddMenu(UINT id, LANGID language, MenuResource menu);
    void AddAccelerators(UINT id, LANGID language, AcceleratorTable table);
    void AddToolBar(UINT id, LANGID language, ToolBarLayout layout);
    void AddString(UINT id, LANGID language, std::string text);
    void AddDialog(UINT id, LANGID language, DialogTemplate dialog);

    const MenuResource* FindMenu(UINT id) const;
    const AcceleratorTable* FindAccelerators(UINT id) const;
    const ToolBarLayout* FindToolBar(UINT id) const;
    const std::string* FindString(UINT id) const;
    const DialogTemplate* FindDialog(UINT id) const;

    // The string, or "" when there is none.
    std::string LoadString(UINT id) const;
    // A command's string is "prompt\ntip": the status-bar prompt and the tool tip.
    std::string Prompt(UINT id) const;
    std::string ToolTip(UINT id) const;

    // Forgets everything (tests start from a clean table).
    void Clear();

private:
    CResourceTable() = default;
    template <typename T> using Copies = std::map<std::pair<UINT, LANGID>, T>;
    template <typename T> static const T* Pick(const Copies<T>& copies, UINT id);

    Copies<MenuResource> m_menus;
    Copies<AcceleratorTable> m_accelerators;
    Copies<ToolBarLayout> m_toolBars;
    Copies<std::string> m_strings;
    Copies<DialogTemplate> m_dialogs;
};

// Shorthand for CResourceTable::Instance().LoadString(id).
std::string LoadString(UINT id);

} // namespace ui
