#pragma once

// The suite root holds everything the suite keeps between runs: the registry
// store, the system directory with the programs and components that upgrades
// install, and the settings of every deliverable. It is $PLINTH_ROOT when that
// is set, else $XDG_DATA_HOME/plinth, else ~/.local/share/plinth. The variables
// are read on every call, so a process that changes PLINTH_ROOT (each test
// does) moves to the new root at once.

#include "platform/base/Types.h"

#include <string>

// `system` cannot name a namespace next to the C library's system(), so the
// idiomatic calls of this folder live in `sys`.
namespace sys {

// The suite root's path, created with its parents when missing. Empty when it
// cannot be created.
std::string SuiteRoot();

// <suite root>/system, created when missing. Empty when it cannot be created.
std::string SystemDirectory();

} // namespace sys

// Copies the system directory into `buffer` and returns its length without the
// terminating NUL; when `size` is too small, copies nothing and returns the size
// needed including the NUL. Returns 0 with the last error set on failure.
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
