#include "platform/ui/Text.h"

#include "platform/base/CodePage.h"

#include <QString>

namespace ui {

QString ToQString(std::string_view ansi)
{
    return QString::fromStdU16String(base::AnsiToUtf16(ansi));
}

std::string FromQString(const QString& text)
{
    return base::Utf16ToAnsi(text.toStdU16String());
}

} // namespace ui
