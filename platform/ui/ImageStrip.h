#pragma once

// Picture strips as tool bars and list headers use them: an encoded picture
// holding images of one width side by side, one colour of which shows
// through.

#include "platform/base/Types.h"

#include <QIcon>

#include <vector>

namespace ui {

// The images of the strip, left to right; empty when it cannot be decoded.
std::vector<QIcon> SplitImageStrip(const std::vector<BYTE>& strip, int width, int height, COLORREF transparent);

} // namespace ui
