#include "platform/registry/KeyPath.h"

#include "platform/base/Errors.h"

namespace {

bool IsLeadByte(char c)
{
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace

namespace registry {

LONG SplitKeyPath(std::string_view path, std::vector<std::string>& names)
{
    names.clear();
    if (path.empty())
        return ERROR_SUCCESS;
    std::string current;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i]) && i + 1 < path.size()) {
            current += path[i];
            current += path[++i];
        } else if (path[i] == '\\') {
            if (current.empty())
                return ERROR_BAD_PATHNAME;
            names.push_back(std::move(current));
            current.clear();
        } else {
            current += path[i];
        }
    }
    if (!current.empty())
        names.push_back(std::move(current));
    return ERROR_SUCCESS;
}

std::string FoldName(std::string_view name)
{
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (IsLeadByte(folded[i]))
            ++i;
        else if (folded[i] >= 'A' && folded[i] <= 'Z')
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
    }
    return folded;
}

} // namespace registry
