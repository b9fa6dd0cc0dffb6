#include "platform/ui/CommandRouter.h"

#include "platform/ui/CommandTarget.h"

#include <algorithm>

namespace ui {

CCommandRouter::CCommandRouter(std::vector<CCommandTarget*> chain)
    : m_chain(std::move(chain))
{
    m_chain.erase(std::remove(m_chain.begin(), m_chain.end(), nullptr), m_chain.end());
}

CCommandRouter::CCommandRouter(CCommandTarget& start)
    : CCommandRouter(start.CommandChain())
{
}

bool CCommandRouter::IsHandled(WORD id) const
{
    return std::any_of(
        m_chain.begin(), m_chain.end(), [id](CCommandTarget* target) { return target->HasCommandHandler(id); });
}

CCommandState CCommandRouter::QueryState(WORD id) const
{
    CCommandState state(id);
    for (CCommandTarget* target : m_chain)
        if (target->OnUpdateCommand(state))
            break;
    if (!state.Enabled())
        state.Enable(IsHandled(id));
    return state;
}

bool CCommandRouter::IsEnabled(WORD id) const
{
    return QueryState(id).Enabled().value_or(false);
}

bool CCommandRouter::Execute(WORD id) const
{
    for (CCommandTarget* target : m_chain)
        if (target->OnCommand(id))
            return true;
    return false;
}

bool CCommandRouter::ExecuteIfEnabled(WORD id) const
{
    return IsEnabled(id) && Execute(id);
}

bool CCommandRouter::DropDown(WORD buttonId, const RECT& screenRect) const
{
    for (CCommandTarget* target : m_chain)
        if (target->OnToolBarDropDown(buttonId, screenRect))
            return true;
    return false;
}

} // namespace ui
