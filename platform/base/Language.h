#pragma once

// The system default language, read from the locale environment each time it
// is asked: the first non-empty of LC_ALL, LC_MESSAGES and LANG. Any "zh"
// locale is Chinese; everything else, an unset locale included, is US English.

#include "platform/base/Types.h"

LANGID GetSystemDefaultLangID();

namespace base {

// True when the user interface is to be shown in Chinese: the primary language
// of the system default language is Chinese.
bool IsChineseUserInterface();

} // namespace base
