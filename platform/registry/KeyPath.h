#pragma once

// Registry key paths: names separated by "\", compared without regard to the
// case of ASCII letters. Paths are code page 936 text, so the second byte of a
// double-byte character (which may equal "\" or an ASCII letter) is neither a
// separator nor folded; Chinese names compare byte for byte.

#include "platform/base/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace registry {

// Splits `path` into its key names. An empty path has none; one trailing "\"
// is allowed. A path that starts with "\" or has an empty name inside gives
// ERROR_BAD_PATHNAME.
LONG SplitKeyPath(std::string_view path, std::vector<std::string>& names);

// The form of a key or value name that comparisons use.
std::string FoldName(std::string_view name);

} // namespace registry
