#pragma once

// Attribute values as they stand in the text and as callers see them: the
// five standard entities are written for the five bytes that would end or
// confuse a value, and read back on the way out.

#include <string>
#include <string_view>

namespace markup {

// Replaces "&lt;", "&amp;", "&gt;", "&apos;" and "&quot;" by their bytes. Any
// other '&' (numeric references included) is kept as it stands.
std::string DecodeValue(std::string_view value);

// Writes < & > ' " as their entities; every other byte is kept.
std::string EncodeValue(std::string_view value);

} // namespace markup
