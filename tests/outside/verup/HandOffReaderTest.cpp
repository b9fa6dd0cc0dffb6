#include "outside/verup/HandOffReader.h"

#include "platform/system/SharedMemory.h"
#include "tests/support/TempSuiteRoot.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

struct LengthCase {
    const char* name;
    const char* argument;
    bool read;
    std::size_t length;
};

const LengthCase LengthCases[] = {
    { "Digits", "1234", true, 1234 },
    { "One", "1", true, 1 },
    { "Zero", "0", false, 0 },
    { "Empty", "", false, 0 },
    { "Sign", "+12", false, 0 },
    { "Blank", " 12", false, 0 },
    { "TrailingLetters", "12x", false, 0 },
    { "Huge", "99999999999999999999", false, 0 },
};

class ParseLengthTest : public testing::TestWithParam<LengthCase> { };

TEST_P(ParseLengthTest, ReadsADecimalByteCount)
{
    std::size_t length = 0;
    EXPECT_EQ(verup::ParseLength(GetParam().argument, length), GetParam().read);
    if (GetParam().read) {
        EXPECT_EQ(length, GetParam().length);
    }
}

INSTANTIATE_TEST_SUITE_P(Arguments, ParseLengthTest, testing::ValuesIn(LengthCases),
    [](const auto& info) { return std::string(info.param.name); });

// A hand-off block as Mendor leaves it, held while the object lives.
class CBlock {
public:
    explicit CBlock(const std::string& bytes)
        : m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
            static_cast<DWORD>(bytes.size()), verup::HandOffBlockName))
    {
        auto* view = static_cast<char*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, 0));
        std::memcpy(view, bytes.data(), bytes.size());
        UnmapViewOfFile(view);
    }
    ~CBlock() { CloseHandle(m_mapping); }

    std::string Bytes() const
    {
        const auto size = static_cast<std::size_t>(sys::SharedMemorySize(m_mapping));
        auto* view = static_cast<const char*>(MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0));
        std::string bytes(view, size);
        UnmapViewOfFile(view);
        return bytes;
    }

private:
    HANDLE m_mapping;
};

TEST(TakeHandOffTest, CopiesTheBytesAndClearsTheBlock)
{
    const std::string description = "<Verup><COM SoftName='组件'/></Verup>";
    CBlock block(description);
    std::string taken;
    std::string error;
    ASSERT_TRUE(verup::TakeHandOff(description.size(), taken, error)) << error;
    EXPECT_EQ(taken, description);
    EXPECT_EQ(block.Bytes(), std::string(description.size(), '\0'));
}

TEST(TakeHandOffTest, TakesOnlyTheAnnouncedLength)
{
    CBlock block("<Verup/>tail");
    std::string taken;
    std::string error;
    ASSERT_TRUE(verup::TakeHandOff(8, taken, error));
    EXPECT_EQ(taken, "<Verup/>");
}

TEST(TakeHandOffTest, ShorterBlockIsTruncated)
{
    CBlock block("<Verup/>");
    std::string taken = "unchanged";
    std::string error;
    EXPECT_FALSE(verup::TakeHandOff(9, taken, error));
    EXPECT_EQ(error, "the upgrade description is truncated: 8 bytes of 9");
    EXPECT_EQ(taken, "unchanged");
    EXPECT_EQ(block.Bytes(), "<Verup/>");
}

TEST(TakeHandOffTest, NoBlockNoDescription)
{
    std::string taken;
    std::string error;
    EXPECT_FALSE(verup::TakeHandOff(5, taken, error));
    EXPECT_EQ(error, "there is no upgrade description to read (no block VERUP_XML_SHARE)");
}

} // namespace
