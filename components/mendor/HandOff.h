#pragma once

// The hand-off to the updater program: the filtered description goes into the
// named shared block "VERUP_XML_SHARE", exactly as long as the description
// and holding its bytes from offset 0, and the updater is started from the
// system directory with the command line " " + that length. The block stays
// while this process lives, so that the updater can open it on its own
// schedule.
//
// A block of one name has one size, so a later hand-off in the same process
// never writes into the earlier block: it releases that block once its
// updater has taken its copy (the updater clears the block's bytes when it
// has; an updater that has ended has taken all it will) and makes a new block
// of the new length. An earlier block whose updater still runs without
// having taken it, or a block of that name that another process holds,
// refuses the hand-off rather than overwrite a description nobody has read.

#include "platform/base/Types.h"
#include "platform/system/Process.h"

#include <mutex>
#include <string>

namespace mendor {

class CHandOff {
public:
    inline static constexpr const char* BlockName = "VERUP_XML_SHARE";
    // How long a hand-off waits for the updater of the previous one.
    inline static constexpr DWORD TakeWait = 5000;

    // The one hand-off of this process.
    static CHandOff& Instance();

    // False, with the reason in lastError, when the block cannot be made or
    // the updater cannot be started.
    bool Start(const std::string& description, const std::string& updaterPath, std::string& lastError);

private:
    CHandOff() = default;

    bool EarlierTaken() const;
    bool ReleaseEarlier();
    void CloseUpdater();

    std::mutex m_mutex;
    HANDLE m_mapping = nullptr;
    PROCESS_INFORMATION m_updater {};
};

} // namespace mendor
