#pragma once

#include "platform/base/Types.h"

namespace sys {

// The platform error code closest to a C library errno value.
LONG ErrorFromErrno(int error);

} // namespace sys
