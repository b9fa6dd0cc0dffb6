#pragma once

#include "platform/base/Types.h"

// Accepted where the platform's calls take it; the suite's objects have no
// security descriptors, and handle inheritance is decided per call.
struct SECURITY_ATTRIBUTES {
    DWORD nLength = 0;
    LPVOID lpSecurityDescriptor = nullptr;
    BOOL bInheritHandle = FALSE;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
