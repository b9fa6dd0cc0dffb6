#pragma once

// Small text rules of the upgrade component, in the system code page.

#include <string>
#include <string_view>

namespace mendor {

// Without blanks (space, tab, CR, LF, VT, FF) at either end.
std::string TrimBlanks(std::string_view text);

// ASCII letters upper-cased; double-byte characters are left as they are.
std::string UpperAscii(std::string_view text);

// Whether the text, trimmed and upper-cased, is longer than `minimumLength`
// and begins with "HTTP://".
bool IsHttpAddress(std::string_view text, std::size_t minimumLength);

} // namespace mendor
