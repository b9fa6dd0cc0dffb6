#pragma once

// Keyboard shortcuts as data: a key combination written as text ("Ctrl+N",
// "Alt+Backspace", "Shift+Del", "F6") and the command it sends.

#include "platform/base/Types.h"

#include <string>
#include <vector>

namespace ui {

struct Accelerator {
    std::string keys;
    WORD command = 0;
};

using AcceleratorTable = std::vector<Accelerator>;

} // namespace ui
