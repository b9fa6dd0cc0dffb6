// Test helper: writes DWORD values "v<i>" = i for i in [first, first + count)
// to HKEY_CURRENT_USER\<key> of the suite root in PLINTH_ROOT, one committed
// change per value, and prints each i once its change is committed.
//   RegistryWriter <key> <first> <count>
// Exits 0 when all were written, 1 (after printing "error <code>") otherwise.

#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const long first = std::atol(argv[2]);
    const long count = std::atol(argv[3]);
    HKEY key = nullptr;
    if (LONG error = RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) {
        std::printf("error %d\n", static_cast<int>(error));
        return 1;
    }
    for (long i = first; i < first + count; ++i) {
        std::string name = "v" + std::to_string(i);
        DWORD value = static_cast<DWORD>(i);
        LONG error = RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        if (error) {
            std::printf("error %d\n", static_cast<int>(error));
            return 1;
        }
        std::printf("%ld\n", i);
        std::fflush(stdout);
    }
    RegCloseKey(key);
    return 0;
}
