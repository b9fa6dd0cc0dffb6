#pragma once

#include <string>

namespace sys {

// Makes a downloaded program startable: whoever may read the file may run
// it. False when the file is missing or its mode cannot be changed.
bool MakeRunnable(const std::string& path);

} // namespace sys
