#pragma once

// Conversions between the suite's 8-bit text (code page 936), UTF-16 and
// UTF-8. Conversions never fail: a byte sequence that is not code page 936
// becomes U+FFFD and the rest of the text is still converted; a character that
// code page 936 cannot hold becomes '?'.

#include <string>
#include <string_view>

namespace base {

constexpr char16_t ReplacementCharacter = 0xFFFD;
constexpr char UnmappableAnsi = '?';

std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view utf16);

std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace base
