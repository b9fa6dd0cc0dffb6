#pragma once

// A tool bar as data: its buttons left to right (ID_SEPARATOR, 0, for a
// separator) and one picture strip holding the images of the buttons in the
// same order, each buttonWidth pixels wide.

#include "platform/base/Types.h"

#include <vector>

namespace ui {

struct ToolBarLayout {
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<WORD> buttons;
    // An encoded picture (PNG, BMP, ...); empty gives buttons without images.
    std::vector<BYTE> imageStrip;
};

} // namespace ui
