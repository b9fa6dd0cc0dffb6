#include "platform/ui/CommandTarget.h"

namespace ui {

template <typename T>
const T* CCommandTarget::Find(const std::map<WORD, T>& single, const std::vector<std::pair<Range, T>>& ranges, WORD id)
{
    if (auto found = single.find(id); found != single.end() && found->second)
        return &found->second;
    for (const auto& [range, handler] : ranges)
        if (id >= range.first && id <= range.last && handler)
            return &handler;
    return nullptr;
}

void CCommandTarget::MapCommand(WORD id, std::function<void()> handler)
{
    if (handler)
        m_commands[id] = [handler = std::move(handler)](WORD) { handler(); };
    else
        m_commands.erase(id);
}

void CCommandTarget::MapCommandRange(WORD first, WORD last, Handler handler)
{
    m_commandRanges.push_back({ Range { first, last }, std::move(handler) });
}

void CCommandTarget::MapUpdate(WORD id, UpdateHandler handler)
{
    if (handler)
        m_updates[id] = std::move(handler);
    else
        m_updates.erase(id);
}

void CCommandTarget::MapUpdateRange(WORD first, WORD last, UpdateHandler handler)
{
    m_updateRanges.push_back({ Range { first, last }, std::move(handler) });
}

bool CCommandTarget::HasCommandHandler(WORD id) const
{
    return Find(m_commands, m_commandRanges, id) != nullptr;
}

bool CCommandTarget::OnCommand(WORD id)
{
    const Handler* handler = Find(m_commands, m_commandRanges, id);
    if (!handler)
        return false;
    // A copy: the handler may replace the table entry it runs from.
    Handler run = *handler;
    run(id);
    return true;
}

bool CCommandTarget::OnUpdateCommand(CCommandState& state)
{
    const UpdateHandler* handler = Find(m_updates, m_updateRanges, state.GetID());
    if (!handler)
        return false;
    UpdateHandler run = *handler;
    run(state);
    return true;
}

bool CCommandTarget::OnToolBarDropDown(WORD, const RECT&)
{
    return false;
}

std::vector<CCommandTarget*> CCommandTarget::CommandChain()
{
    return { this };
}

} // namespace ui
