// Feeds arbitrary bytes to the ELF section reader as if they were a file: the
// version readers open any path a caller names, so the reader must survive
// every damaged or hostile file.

#include "platform/system/ElfSectionReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto read = [data, size](std::uint64_t offset, void* out, std::size_t length) {
        if (offset > size || length > size - offset)
            return false;
        std::memcpy(out, data + offset, length);
        return true;
    };
    sys::ElfSectionReader reader(read, size);
    reader.Find(".plinth_version", 52);
    reader.Find(".shstrtab", 1 << 16);
    return 0;
}
