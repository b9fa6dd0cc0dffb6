#include "platform/ui/ResourceTable.h"

#include "platform/base/Language.h"

namespace ui {

CResourceTable& CResourceTable::Instance()
{
    static CResourceTable table;
    return table;
}

template <typename T> const T* CResourceTable::Pick(const Copies<T>& copies, UINT id)
{
    WORD wanted = base::IsChineseUserInterface() ? LANG_CHINESE : LANG_ENGLISH;
    WORD other = wanted == LANG_CHINESE ? LANG_ENGLISH : LANG_CHINESE;
    const T* fallback = nullptr;
    const T* any = nullptr;
    for (auto it = copies.lower_bound({ id, 0 }); it != copies.end() && it->first.first == id; ++it) {
        WORD primary = PRIMARYLANGID(it->first.second);
        if (primary == wanted)
            return &it->second;
        if (primary == other && !fallback)
            fallback = &it->second;
        if (!any)
            any = &it->second;
    }
    return fallback ? fallback : any;
}

void CResourceTable::AddMenu(UINT id, LANGID language, MenuResource menu)
{
    m_menus[{ id, language }] = std::move(menu);
}

void CResourceTable::AddAccelerators(UINT id, LANGID language, AcceleratorTable table)
{
    m_accelerators[{ id, language }] = std::move(table);
}

void CResourceTable::AddToolBar(UINT id, LANGID language, ToolBarLayout layout)
{
    m_toolBars[{ id, language }] = std::move(layout);
}

void CResourceTable::AddString(UINT id, LANGID language, std::string text)
{
    m_strings[{ id, language }] = std::move(text);
}

void CResourceTable::AddDialog(UINT id, LANGID language, DialogTemplate dialog)
{
    m_dialogs[{ id, language }] = std::move(dialog);
}

const MenuResource* CResourceTable::FindMenu(UINT id) const
{
    return Pick(m_menus, id);
}

const AcceleratorTable* CResourceTable::FindAccelerators(UINT id) const
{
    return Pick(m_accelerators, id);
}

const ToolBarLayout* CResourceTable::FindToolBar(UINT id) const
{
    return Pick(m_toolBars, id);
}

const std::string* CResourceTable::FindString(UINT id) const
{
    return Pick(m_strings, id);
}

const DialogTemplate* CResourceTable::FindDialog(UINT id) const
{
    return Pick(m_dialogs, id);
}

std::string CResourceTable::LoadString(UINT id) const
{
    const std::string* text = FindString(id);
    return text ? *text : std::string();
}

std::string CResourceTable::Prompt(UINT id) const
{
    std::string text = LoadString(id);
    return text.substr(0, text.find('\n'));
}

std::string CResourceTable::ToolTip(UINT id) const
{
    std::string text = LoadString(id);
    auto newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

void CResourceTable::Clear()
{
    m_menus.clear();
    m_accelerators.clear();
    m_toolBars.clear();
    m_strings.clear();
    m_dialogs.clear();
}

std::string LoadString(UINT id)
{
    return CResourceTable::Instance().LoadString(id);
}

} // namespace ui
