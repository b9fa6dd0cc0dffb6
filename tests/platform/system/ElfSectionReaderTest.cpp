#include "platform/system/ElfSectionReader.h"

#include <cstring>
#include <elf.h>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A minimal ELF image: the header, then a name table, then one section
// ".payload" holding "version!", then the section headers.
template<typename Header, typename SectionHeader>
std::string BuildImage(unsigned char elfClass)
{
    const std::string names = std::string("\0.shstrtab\0.payload\0", 20);
    const std::string payload = "version!";
    Header header {};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = elfClass;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_DYN;
    header.e_ehsize = sizeof(Header);
    header.e_shentsize = sizeof(SectionHeader);
    header.e_shnum = 3;
    header.e_shstrndx = 1;
    const std::size_t namesOffset = sizeof(Header);
    const std::size_t payloadOffset = namesOffset + names.size();
    header.e_shoff = payloadOffset + payload.size();

    SectionHeader sections[3] {};
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_STRTAB;
    sections[1].sh_offset = namesOffset;
    sections[1].sh_size = names.size();
    sections[2].sh_name = 11;
    sections[2].sh_type = SHT_PROGBITS;
    sections[2].sh_offset = payloadOffset;
    sections[2].sh_size = payload.size();

    std::string image(reinterpret_cast<const char*>(&header), sizeof header);
    image += names + payload;
    image.append(reinterpret_cast<const char*>(sections), sizeof sections);
    return image;
}

std::optional<std::vector<BYTE>> FindIn(const std::string& image, std::string_view name, std::size_t maxSize = 64)
{
    auto read = [&image](std::uint64_t offset, void* out, std::size_t size) {
        if (offset > image.size() || size > image.size() - offset)
            return false;
        std::memcpy(out, image.data() + offset, size);
        return true;
    };
    return sys::ElfSectionReader(read, image.size()).Find(name, maxSize);
}

const std::vector<BYTE> Payload {'v', 'e', 'r', 's', 'i', 'o', 'n', '!'};

TEST(ElfSectionReaderTest, FindsTheSectionIn32And64BitFiles)
{
    EXPECT_EQ(FindIn(BuildImage<Elf64_Ehdr, Elf64_Shdr>(ELFCLASS64), ".payload"), Payload);
    EXPECT_EQ(FindIn(BuildImage<Elf32_Ehdr, Elf32_Shdr>(ELFCLASS32), ".payload"), Payload);
    EXPECT_FALSE(FindIn(BuildImage<Elf64_Ehdr, Elf64_Shdr>(ELFCLASS64), ".other"));
    EXPECT_FALSE(FindIn(BuildImage<Elf64_Ehdr, Elf64_Shdr>(ELFCLASS64), ".payload", 7));
}

struct Damage {
    const char* name;
    std::function<void(Elf64_Ehdr&, Elf64_Shdr*)> apply;
};

const Damage Damages[] = {
    {"SectionTableBeyondTheEnd", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_shoff = 1ull << 40; }},
    {"SectionTableOffsetWrapsAround", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_shoff = ~0ull - 8; }},
    {"TooManySections", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_shnum = 0xFFFF; }},
    {"WrongEntrySize", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_shentsize = 12; }},
    {"NameTableIndexOutOfRange", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_shstrndx = 9; }},
    {"ExtendedCountThatIsHuge", [](Elf64_Ehdr& h, Elf64_Shdr* s) { h.e_shnum = 0; s[0].sh_size = ~0ull; }},
    {"NameTableBeyondTheEnd", [](Elf64_Ehdr&, Elf64_Shdr* s) { s[1].sh_offset = 1ull << 50; }},
    {"NameOffsetOutsideTheTable", [](Elf64_Ehdr&, Elf64_Shdr* s) { s[2].sh_name = 5000; }},
    {"SectionDataBeyondTheEnd", [](Elf64_Ehdr&, Elf64_Shdr* s) { s[2].sh_offset = ~0ull - 2; }},
    {"SectionWithoutFileData", [](Elf64_Ehdr&, Elf64_Shdr* s) { s[2].sh_type = SHT_NOBITS; }},
    {"BigEndian", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_ident[EI_DATA] = ELFDATA2MSB; }},
    {"UnknownClass", [](Elf64_Ehdr& h, Elf64_Shdr*) { h.e_ident[EI_CLASS] = 7; }},
};

class DamagedElfTest : public testing::TestWithParam<Damage> {};

TEST_P(DamagedElfTest, GivesNoSection)
{
    std::string image = BuildImage<Elf64_Ehdr, Elf64_Shdr>(ELFCLASS64);
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    Elf64_Shdr sections[3];
    std::memcpy(sections, image.data() + header.e_shoff, sizeof sections);
    const std::size_t tableOffset = header.e_shoff;
    GetParam().apply(header, sections);
    std::memcpy(image.data(), &header, sizeof header);
    std::memcpy(image.data() + tableOffset, sections, sizeof sections);
    EXPECT_FALSE(FindIn(image, ".payload"));
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedElfTest, testing::ValuesIn(Damages),
                         [](const testing::TestParamInfo<Damage>& info) { return info.param.name; });

TEST(ElfSectionReaderTest, EveryTruncationOfAGoodImageIsHandled)
{
    std::string image = BuildImage<Elf64_Ehdr, Elf64_Shdr>(ELFCLASS64);
    for (std::size_t length = 0; length < image.size(); ++length)
        EXPECT_FALSE(FindIn(image.substr(0, length), ".payload")) << length;
}

} // namespace
