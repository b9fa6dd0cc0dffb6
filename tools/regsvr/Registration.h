#pragma once

// What regsvr does: read its command line, load a component file and call its
// DllRegisterServer or DllUnregisterServer.

#include <optional>
#include <string>
#include <vector>

namespace regsvr {

enum ExitCode {
    Success = 0,
    UsageError = 1,
    NotAFile = 2,
    NotLoadable = 3,
    NoEntryPoint = 4,
    EntryPointFailed = 5,
};

struct Options {
    bool silent = false;
    bool unregister = false;
    std::string file;
};

// "/s" (silent) and "/u" (unregister), also written "-s", "-u" or in capitals,
// in any order, and exactly one file. Nothing when the line is not that.
std::optional<Options> ParseArguments(const std::vector<std::string>& arguments);

std::string Usage();

struct Outcome {
    ExitCode code = Success;
    std::string message; // UTF-8
};

Outcome Run(const Options& options);

} // namespace regsvr
