#include "platform/base/Language.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string LocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return {};
}

LANGID ChineseLanguage(std::string_view territory)
{
    if (territory == "TW")
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
    if (territory == "HK")
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_HONGKONG);
    if (territory == "SG")
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SINGAPORE);
    if (territory == "MO")
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_MACAU);
    return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}

} // namespace

LANGID GetSystemDefaultLangID()
{
    std::string locale = LocaleName();
    // language[_territory][.codeset][@modifier]
    std::string_view name(locale);
    name = name.substr(0, name.find_first_of(".@"));
    std::string_view language = name.substr(0, name.find('_'));
    if (language == "zh") {
        size_t underscore = name.find('_');
        return ChineseLanguage(underscore == std::string_view::npos ? std::string_view() : name.substr(underscore + 1));
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

namespace base {

bool IsChineseUserInterface() { return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE; }

} // namespace base
