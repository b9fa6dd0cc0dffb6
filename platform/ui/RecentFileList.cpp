#include "platform/ui/RecentFileList.h"

#include "platform/registry/Profile.h"

#include <algorithm>

namespace ui {

CRecentFileList::CRecentFileList(std::string section, size_t size)
    : m_section(std::move(section))
    , m_size(size)
{
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty() || m_size == 0)
        return;
    m_files.erase(std::remove(m_files.begin(), m_files.end(), path), m_files.end());
    m_files.insert(m_files.begin(), path);
    if (m_files.size() > m_size)
        m_files.resize(m_size);
}

void CRecentFileList::Remove(size_t index)
{
    if (index < m_files.size())
        m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(index));
}

void CRecentFileList::Load(const registry::Profile& profile)
{
    m_files.clear();
    for (size_t i = 0; i < m_size; ++i) {
        std::string path = profile.GetString(m_section, "File" + std::to_string(i + 1), "");
        if (!path.empty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(path);
    }
}

void CRecentFileList::Save(registry::Profile& profile) const
{
    // Every slot is written, so entries that dropped off do not come back.
    for (size_t i = 0; i < m_size; ++i)
        profile.WriteString(m_section, "File" + std::to_string(i + 1), i < m_files.size() ? m_files[i] : "");
}

std::string CRecentFileList::MenuText(size_t index) const
{
    if (index >= m_files.size())
        return {};
    std::string text = "&" + std::to_string(index + 1) + " ";
    // A "&" in a path must show as itself, not as a mnemonic.
    for (char c : m_files[index]) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

} // namespace ui
