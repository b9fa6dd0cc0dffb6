#pragma once

// Starting programs: always by file and argument vector, never through a shell.

#include "platform/base/Types.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace sys {

struct SpawnRequest {
    std::string program;                // the file to run
    std::vector<std::string> arguments; // the argument vector, program name first
    std::vector<std::string> environment; // "NAME=value" entries, used when useEnvironment is set
    bool useEnvironment = false;        // otherwise the caller's environment
    std::string folder;                 // working folder; empty: the caller's
    bool inheritFiles = true;           // false: the child gets only standard input, output and error
};

struct SpawnResult {
    pid_t pid = -1;
    LONG error = 0; // a platform error code when pid is -1
};

SpawnResult Spawn(const SpawnRequest& request);

// The file a program name stands for: the name itself when it holds a "/",
// otherwise the first executable file of that name in the system directory and
// then in the folders of PATH. Empty when there is none.
std::string FindProgram(const std::string& name);

// Collects the exit status of a child nobody waits for, so that it does not
// linger as a zombie.
void ReapInBackground(pid_t pid);

} // namespace sys
