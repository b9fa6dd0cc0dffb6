#pragma once

// The one crossing between the suite's 8-bit text (code page 936) and Qt's
// strings. Every text that reaches a widget passes through here.

#include <string>
#include <string_view>

class QString;

namespace ui {

QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text);

} // namespace ui
