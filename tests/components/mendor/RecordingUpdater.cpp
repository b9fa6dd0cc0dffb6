// Test helper: an updater program that records its hand-off. Started as
// "<program> n", it opens the block VERUP_XML_SHARE and writes into
// <suite root>/handoff/ the files "command-line" (its arguments after the
// program name, joined by blanks), "block-size" and "block" (the first n
// bytes), then clears the bytes as the real updater does once it has its copy.
// MENDOR_TEST_UPDATER=hold keeps the block without taking it (and says so in
// handoff/holding) until the file handoff/release appears (at most half a
// minute); MENDOR_TEST_UPDATER=stay takes its copy and then runs on until
// that file appears; MENDOR_TEST_UPDATER=exit
// ends at once without opening it.

#include "platform/system/SharedMemory.h"
#include "platform/system/SuiteRoot.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Write(const std::string& folder, const char* name, const std::string& bytes)
{
    const std::string path = folder + "/" + name;
    std::ofstream(path + ".part", std::ios::binary) << bytes;
    std::rename((path + ".part").c_str(), path.c_str());
}

void WaitForRelease(const std::string& folder)
{
    const std::string release = folder + "/release";
    for (int waited = 0; access(release.c_str(), F_OK) != 0 && access(folder.c_str(), F_OK) == 0 && waited < 1500;
         ++waited)
        usleep(20000);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = sys::SuiteRoot() + "/handoff";
    mkdir(folder.c_str(), 0755);
    const char* mode = std::getenv("MENDOR_TEST_UPDATER");
    if (mode && std::strcmp(mode, "exit") == 0)
        return 0;

    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    const std::size_t length = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, "VERUP_XML_SHARE");
    if (!mapping) {
        Write(folder, "command-line", commandLine);
        return 2;
    }
    if (mode && std::strcmp(mode, "hold") == 0) {
        Write(folder, "holding", "");
        WaitForRelease(folder);
        return 3;
    }
    const std::uint64_t size = sys::SharedMemorySize(mapping);
    auto* bytes = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    const std::string copy = bytes && size >= length ? std::string(bytes, length) : std::string();
    if (bytes) {
        std::memset(bytes, 0, static_cast<std::size_t>(size));
        UnmapViewOfFile(bytes);
    }
    CloseHandle(mapping);
    Write(folder, "block-size", std::to_string(size));
    Write(folder, "block", copy);
    Write(folder, "command-line", commandLine); // written last: the test waits for it
    if (mode && std::strcmp(mode, "stay") == 0)
        WaitForRelease(folder);
    return 0;
}
