#include "tests/platform/system/EchoOutput.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace test {

std::optional<EchoOutput> ReadEchoOutput(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    EchoOutput output;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t blank = text.find(' ', position);
        if (blank == std::string::npos)
            return std::nullopt;
        std::string label = text.substr(position, blank - position);
        if (label == "env" && text.compare(blank + 1, 2, "-\n") == 0) {
            position = blank + 3;
            continue;
        }
        std::size_t colon = text.find(':', blank);
        if (colon == std::string::npos)
            return std::nullopt;
        std::size_t length = std::stoul(text.substr(blank + 1, colon - blank - 1));
        std::string field = text.substr(colon + 1, length);
        position = colon + 1 + length + 1;
        if (label == "arg")
            output.arguments.push_back(field);
        else if (label == "cwd")
            output.folder = field;
        else if (label == "env")
            output.value = field;
    }
    return output;
}

std::optional<EchoOutput> AwaitEchoOutput(const std::filesystem::path& file, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (std::filesystem::exists(file))
            return ReadEchoOutput(file);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

} // namespace test
