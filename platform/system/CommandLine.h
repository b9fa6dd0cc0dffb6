#pragma once

// Splits a command-line text into an argument vector by the platform's rules,
// so that programs started by the suite see the arguments their callers meant:
// - arguments are separated by blanks and tabs; leading blanks make the program
//   name empty;
// - the program name runs to the first blank outside double quotes, the quotes
//   removed; backslashes in it are plain characters;
// - in the arguments, double quotes group text with blanks and are removed;
//   2n backslashes before a quote give n backslashes and the quote groups,
//   2n+1 give n backslashes and a literal quote; backslashes before anything
//   else stay as they are; "" inside quotes is a literal quote.
// The text is code page 936: the second byte of a double-byte character is
// never taken for a backslash or a quote.

#include <string>
#include <string_view>
#include <vector>

namespace sys {

std::vector<std::string> SplitCommandLine(std::string_view commandLine);

} // namespace sys
