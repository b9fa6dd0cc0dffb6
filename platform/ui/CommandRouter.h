#pragma once

// Walks a chain of command targets. A command runs at the first target that
// handles it. Its state comes from the first update handler in the chain;
// what that leaves open follows the rule of menu bars and tool bars: enabled
// exactly when some target of the chain handles the command.

#include "platform/base/Types.h"
#include "platform/ui/CommandState.h"

#include <vector>

namespace ui {

class CCommandTarget;

class CCommandRouter {
public:
    explicit CCommandRouter(std::vector<CCommandTarget*> chain);
    // The chain of a target (its CommandChain).
    explicit CCommandRouter(CCommandTarget& start);

    bool IsHandled(WORD id) const;
    CCommandState QueryState(WORD id) const;
    bool IsEnabled(WORD id) const;
    // Runs the command at its first handler; false when nobody handles it.
    bool Execute(WORD id) const;
    // As a menu choice does: only when the command's state is enabled.
    bool ExecuteIfEnabled(WORD id) const;
    bool DropDown(WORD buttonId, const RECT& screenRect) const;

private:
    std::vector<CCommandTarget*> m_chain;
};

} // namespace ui
