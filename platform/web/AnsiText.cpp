#include "platform/web/AnsiText.h"

#include "platform/base/CodePage.h"

namespace web {

QString FromAnsi(std::string_view text)
{
    const std::u16string utf16 = base::AnsiToUtf16(text);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string ToAnsi(const QString& text)
{
    return base::Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

} // namespace web
