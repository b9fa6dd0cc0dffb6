#pragma once

// The suite's 8-bit text (code page 936) at the boundary to Qt's strings.

#include <QString>

#include <string>
#include <string_view>

namespace web {

QString FromAnsi(std::string_view text);
std::string ToAnsi(const QString& text);

} // namespace web
