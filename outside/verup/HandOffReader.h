#pragma once

// Takes the description that Mendor hands over: the block "VERUP_XML_SHARE"
// holds it from offset 0, and the updater's one argument is its length in
// bytes. The updater copies it, clears the block's bytes to tell Mendor that
// it has its copy, and lets the block go.

#include <string>

namespace verup {

inline constexpr const char* HandOffBlockName = "VERUP_XML_SHARE";

// The length argument as a number of bytes: decimal digits only, above 0.
bool ParseLength(const std::string& argument, std::size_t& length);

// False, with the reason in error, when there is no block or it is shorter
// than `length`.
bool TakeHandOff(std::size_t length, std::string& description, std::string& error);

} // namespace verup
