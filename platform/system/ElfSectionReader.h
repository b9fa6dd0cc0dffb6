#pragma once

// Finds a named section in an ELF file (32- or 64-bit, little-endian) by its
// section headers, without loading the file. Every offset and size read from
// the file is checked against the file's size, so a truncated, damaged or
// foreign file yields "no section" and never a crash.

#include "platform/base/Types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

class ElfSectionReader {
public:
    // Reads `size` bytes at `offset` into `out`; false when they cannot be read.
    using ReadFunction = std::function<bool(std::uint64_t offset, void* out, std::size_t size)>;

    ElfSectionReader(ReadFunction read, std::uint64_t fileSize);

    // The contents of the first section called `name`, or nothing when the
    // input is no ELF file, has no such section, the section holds no bytes in
    // the file, or it is longer than `maxSize`.
    std::optional<std::vector<BYTE>> Find(std::string_view name, std::size_t maxSize) const;

    // The same for a file on disk; nothing for a missing or unreadable file.
    static std::optional<std::vector<BYTE>> FindInFile(const std::string& path, std::string_view name,
                                                       std::size_t maxSize);

private:
    template<typename Header, typename SectionHeader>
    std::optional<std::vector<BYTE>> FindIn(std::string_view name, std::size_t maxSize) const;
    std::optional<std::vector<BYTE>> ReadRange(std::uint64_t offset, std::uint64_t size) const;

    ReadFunction m_read;
    std::uint64_t m_fileSize;
};

} // namespace sys
