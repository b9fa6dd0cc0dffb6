#include "platform/system/ElfSectionReader.h"

#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger tables than these only come from damaged files.
constexpr std::uint64_t MaxSectionCount = 1 << 20;
constexpr std::uint64_t MaxNameTableSize = 64 << 20;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

namespace sys {

ElfSectionReader::ElfSectionReader(ReadFunction read, std::uint64_t fileSize)
    : m_read(std::move(read))
    , m_fileSize(fileSize)
{
}

std::optional<std::vector<BYTE>> ElfSectionReader::ReadRange(std::uint64_t offset, std::uint64_t size) const
{
    if (offset > m_fileSize || size > m_fileSize - offset)
        return std::nullopt;
    std::vector<BYTE> bytes(static_cast<std::size_t>(size));
    if (size && !m_read(offset, bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<BYTE>> ElfSectionReader::Find(std::string_view name, std::size_t maxSize) const
{
    unsigned char ident[EI_NIDENT];
    if (m_fileSize < EI_NIDENT || !m_read(0, ident, sizeof ident))
        return std::nullopt;
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0 || ident[EI_DATA] != ELFDATA2LSB)
        return std::nullopt;
    if (ident[EI_CLASS] == ELFCLASS64)
        return FindIn<Elf64_Ehdr, Elf64_Shdr>(name, maxSize);
    if (ident[EI_CLASS] == ELFCLASS32)
        return FindIn<Elf32_Ehdr, Elf32_Shdr>(name, maxSize);
    return std::nullopt;
}

template<typename Header, typename SectionHeader>
std::optional<std::vector<BYTE>> ElfSectionReader::FindIn(std::string_view name, std::size_t maxSize) const
{
    Header header;
    if (m_fileSize < sizeof header || !m_read(0, &header, sizeof header))
        return std::nullopt;
    if (header.e_shoff == 0 || header.e_shentsize != sizeof(SectionHeader))
        return std::nullopt;

    // Files with very many sections keep the real count and name-table index
    // in the first section header.
    SectionHeader first;
    auto firstBytes = ReadRange(header.e_shoff, sizeof first);
    if (!firstBytes)
        return std::nullopt;
    std::memcpy(&first, firstBytes->data(), sizeof first);
    std::uint64_t count = header.e_shnum ? header.e_shnum : first.sh_size;
    std::uint64_t namesIndex = header.e_shstrndx == SHN_XINDEX ? first.sh_link : header.e_shstrndx;
    if (count == 0 || count > MaxSectionCount || namesIndex >= count)
        return std::nullopt;

    auto table = ReadRange(header.e_shoff, count * sizeof(SectionHeader));
    if (!table)
        return std::nullopt;
    auto section = [&](std::uint64_t index) {
        SectionHeader entry;
        std::memcpy(&entry, table->data() + index * sizeof entry, sizeof entry);
        return entry;
    };

    SectionHeader namesHeader = section(namesIndex);
    if (namesHeader.sh_type == SHT_NOBITS || namesHeader.sh_size > MaxNameTableSize)
        return std::nullopt;
    auto names = ReadRange(namesHeader.sh_offset, namesHeader.sh_size);
    if (!names)
        return std::nullopt;

    for (std::uint64_t index = 1; index < count; ++index) {
        SectionHeader entry = section(index);
        if (entry.sh_name >= names->size())
            continue;
        const char* entryName = reinterpret_cast<const char*>(names->data()) + entry.sh_name;
        std::size_t length = strnlen(entryName, names->size() - entry.sh_name);
        if (std::string_view(entryName, length) != name)
            continue;
        if (entry.sh_type == SHT_NOBITS || entry.sh_size > maxSize)
            return std::nullopt;
        return ReadRange(entry.sh_offset, entry.sh_size);
    }
    return std::nullopt;
}

std::optional<std::vector<BYTE>> ElfSectionReader::FindInFile(const std::string& path, std::string_view name,
                                                              std::size_t maxSize)
{
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    auto read = [fd = file.Get()](std::uint64_t offset, void* out, std::size_t size) {
        auto* bytes = static_cast<char*>(out);
        while (size) {
            ssize_t got = pread(fd, bytes, size, static_cast<off_t>(offset));
            if (got <= 0)
                return false;
            bytes += got;
            size -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
        return true;
    };
    return ElfSectionReader(read, static_cast<std::uint64_t>(status.st_size)).Find(name, maxSize);
}

} // namespace sys
