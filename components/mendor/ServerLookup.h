#pragma once

// Where a registered component's server file is, read from the class root of
// the registry the way the platform's class registry keeps it.

#include <string>

namespace mendor {

// The default value of `keyPath` under the class root. Only string values
// count (an expandable string is taken as written); a missing key, a missing
// value or another type is no value.
bool ReadClassRootDefault(const std::string& keyPath, std::string& value);

// A class id without its braces: a leading "{" and a trailing "}" become
// blanks, then blanks are trimmed. Blanks outside the braces therefore keep
// them, and such a class id finds nothing.
std::string StripBraces(const std::string& classId);

// The in-process server file of a ProgID, following its CurVer chain; empty
// when the ProgID, the class or its server is not registered, or when the
// chain comes back to a ProgID it has already visited.
std::string ProgIdToServerPath(const std::string& progId);

// The in-process server file of a class id (with or without braces); empty
// when the class has no ProgID key, which counts as not installed.
std::string ClassIdToServerPath(const std::string& classId);

} // namespace mendor
