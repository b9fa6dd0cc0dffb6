// Test helper: the other process of the shared memory tests.
//   SharedBlockPeer <name> <length>
// Opens the block <name> both ways a second process can (OpenFileMappingA,
// and CreateFileMappingA, which must report that it already existed), checks
// it is at least <length> bytes, and replaces its first <length> bytes by the
// same bytes in reverse order. Prints "existed <size>" and "done", or a line
// starting with "error".

#include "platform/base/Errors.h"
#include "platform/system/SharedMemory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const char* name = argv[1];
    const std::size_t length = std::strtoul(argv[2], nullptr, 10);

    HANDLE created = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1, name);
    if (!created || GetLastError() != ERROR_ALREADY_EXISTS) {
        std::printf("error create %u\n", GetLastError());
        return 1;
    }
    std::printf("existed %llu\n", static_cast<unsigned long long>(sys::SharedMemorySize(created)));

    HANDLE opened = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (!opened || sys::SharedMemorySize(opened) < length) {
        std::printf("error open %u\n", GetLastError());
        return 1;
    }
    auto* bytes = static_cast<char*>(MapViewOfFile(opened, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, length));
    if (!bytes) {
        std::printf("error map %u\n", GetLastError());
        return 1;
    }
    std::reverse(bytes, bytes + length);
    UnmapViewOfFile(bytes);
    CloseHandle(opened);
    CloseHandle(created);
    std::printf("done\n");
    return 0;
}
