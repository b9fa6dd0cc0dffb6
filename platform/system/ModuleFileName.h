#pragma once

// File names of loaded modules. A module is named by an address: nullptr is the
// program itself, any other value an address inside a loaded shared object (a
// component passes the address of one of its own functions).

#include "platform/base/Types.h"

#include <string>

using HINSTANCE = void*;
using HMODULE = HINSTANCE;

namespace sys {

// The full path of the program (nullptr) or of the shared object holding
// `address`; empty when the address lies in no loaded object.
std::string ModuleFileName(const void* address);

} // namespace sys

// Copies the module's full path into `buffer` and returns its length. A path
// that does not fit is cut to size - 1 bytes, NUL-terminated, and the call
// returns `size` with ERROR_INSUFFICIENT_BUFFER. Returns 0 with the last error
// set when the module is unknown.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
