#pragma once

// Shared by the tests of the component layer and its users: the built test
// components, the regsvr program, and running a program to its end.

#include <string>
#include <vector>

namespace test {

std::string ProbeComponentPath();
std::string NotAComponentPath();
std::string RegsvrPath();

struct ProgramResult {
    int exitCode = -1;
    std::string output; // standard output
    std::string errors; // standard error
};

// Runs program with the arguments in the current environment and waits for it.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// Registers the probe component into the current suite root with "regsvr /s";
// the outcome for an ASSERT.
ProgramResult RegisterProbe();

} // namespace test
