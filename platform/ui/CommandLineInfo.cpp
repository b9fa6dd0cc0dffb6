#include "platform/ui/CommandLineInfo.h"

namespace ui {

CCommandLineInfo CCommandLineInfo::Parse(const std::vector<std::string>& arguments)
{
    CCommandLineInfo info;
    for (const std::string& argument : arguments) {
        bool option = argument.size() > 1 && argument[0] == '-';
        if (option || argument.empty())
            continue;
        info.action = Action::FileOpen;
        info.fileName = argument;
        break;
    }
    return info;
}

} // namespace ui
