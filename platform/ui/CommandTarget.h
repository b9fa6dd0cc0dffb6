#pragma once

// Something that can handle numbered commands: a table of command handlers
// and update handlers, filled by the derived class in its constructor. Which
// targets a command visits, and in what order, is the chain's business
// (CommandChain); the frame decides it for the whole window.

#include "platform/base/Types.h"
#include "platform/ui/CommandState.h"

#include <functional>
#include <map>
#include <vector>

namespace ui {

class CCommandTarget {
public:
    using Handler = std::function<void(WORD id)>;
    using UpdateHandler = std::function<void(CCommandState& state)>;

    CCommandTarget() = default;
    virtual ~CCommandTarget() = default;
    CCommandTarget(const CCommandTarget&) = delete;
    CCommandTarget& operator=(const CCommandTarget&) = delete;

    void MapCommand(WORD id, std::function<void()> handler);
    void MapCommandRange(WORD first, WORD last, Handler handler);
    void MapUpdate(WORD id, UpdateHandler handler);
    void MapUpdateRange(WORD first, WORD last, UpdateHandler handler);

    virtual bool HasCommandHandler(WORD id) const;
    // Runs this target's handler; true when it had one.
    virtual bool OnCommand(WORD id);
    // Runs this target's update handler; true when it had one.
    virtual bool OnUpdateCommand(CCommandState& state);
    // A tool-bar drop-down arrow was pressed: the button and its rectangle in
    // screen coordinates. True when this target took it.
    virtual bool OnToolBarDropDown(WORD buttonId, const RECT& screenRect);

    // The targets a command starting here visits, in order; this alone by
    // default. Entries may be null and are then skipped.
    virtual std::vector<CCommandTarget*> CommandChain();

private:
    struct Range {
        WORD first;
        WORD last;
    };
    template <typename T> static const T* Find(const std::map<WORD, T>&, const std::vector<std::pair<Range, T>>&, WORD);

    std::map<WORD, Handler> m_commands;
    std::vector<std::pair<Range, Handler>> m_commandRanges;
    std::map<WORD, UpdateHandler> m_updates;
    std::vector<std::pair<Range, UpdateHandler>> m_updateRanges;
};

} // namespace ui
