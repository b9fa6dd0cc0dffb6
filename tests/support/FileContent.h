#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test {

// The whole of a file as bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Replaces a file's content with the given bytes.
inline void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

} // namespace test
