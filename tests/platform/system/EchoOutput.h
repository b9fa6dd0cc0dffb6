#pragma once

// Reads what the ArgumentEcho helper program recorded about how it was started.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct EchoOutput {
    std::vector<std::string> arguments;
    std::string folder;
    std::optional<std::string> value; // PLINTH_TEST_VALUE, when it was set
};

// Nothing when the file is missing or malformed.
std::optional<EchoOutput> ReadEchoOutput(const std::filesystem::path& file);

// Polls for the output of a child nobody waits for.
std::optional<EchoOutput> AwaitEchoOutput(const std::filesystem::path& file, int milliseconds = 10000);

} // namespace test
