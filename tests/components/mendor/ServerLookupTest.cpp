#include "components/mendor/ServerLookup.h"

#include "ClassRoot.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* ClassId = "11111111-2222-3333-4444-555555555555";
constexpr const char* OtherClassId = "66666666-7777-8888-9999-AAAAAAAAAAAA";

struct BraceCase {
    const char* name;
    const char* classId;
    const char* bare;
};

const BraceCase BraceCases[] = {
    { "BothBraces", "{ABC}", "ABC" },
    { "NoBraces", "ABC", "ABC" },
    { "OpeningOnly", "{ABC", "ABC" },
    { "ClosingOnly", "ABC}", "ABC" },
    { "BlanksOutsideKeepBraces", " {ABC} ", "{ABC}" },
    { "BlanksInsideTrimmed", "{ ABC }", "ABC" },
    { "Empty", "", "" },
    { "BracesAlone", "{}", "" },
};

class StripBracesTest : public testing::TestWithParam<BraceCase> { };

TEST_P(StripBracesTest, LeavesTheBareId)
{
    EXPECT_EQ(mendor::StripBraces(GetParam().classId), GetParam().bare);
}

INSTANTIATE_TEST_SUITE_P(ClassIds, StripBracesTest, testing::ValuesIn(BraceCases),
    [](const auto& info) { return std::string(info.param.name); });

class ServerLookupTest : public testing::Test {
protected:
    test::TempSuiteRoot m_root;
};

TEST_F(ServerLookupTest, ReadsOnlyStringDefaults)
{
    test::SetClassRootDefault("Plain", "text");
    test::SetClassRootDefault("Expandable", "%HOME%/x", REG_EXPAND_SZ);
    test::SetClassRootDefault("Link", "target", REG_LINK);
    test::SetClassRootDefault("Number", "", REG_DWORD);
    test::SetClassRootDefault("Plain\\Below", "");
    std::string value = "unchanged";
    EXPECT_TRUE(mendor::ReadClassRootDefault("plain", value));
    EXPECT_EQ(value, "text");
    EXPECT_TRUE(mendor::ReadClassRootDefault("Expandable", value));
    EXPECT_EQ(value, "%HOME%/x");
    EXPECT_TRUE(mendor::ReadClassRootDefault("Link", value));
    EXPECT_EQ(value, "target");
    EXPECT_FALSE(mendor::ReadClassRootDefault("Number", value));
    EXPECT_FALSE(mendor::ReadClassRootDefault("Missing", value));
    EXPECT_TRUE(mendor::ReadClassRootDefault("Plain\\Below", value));
    EXPECT_EQ(value, "");
}

TEST_F(ServerLookupTest, ProgIdWithItsOwnClass)
{
    test::RegisterInprocClass("Probe.Widget.1", ClassId, "/opt/probe.dll");
    EXPECT_EQ(mendor::ProgIdToServerPath("Probe.Widget.1"), "/opt/probe.dll");
    EXPECT_EQ(mendor::ProgIdToServerPath("PROBE.WIDGET.1"), "/opt/probe.dll");
    EXPECT_EQ(mendor::ProgIdToServerPath("Probe.Missing"), "");
    EXPECT_EQ(mendor::ProgIdToServerPath(""), "");
}

TEST_F(ServerLookupTest, ProgIdThroughItsCurVerChain)
{
    test::RegisterInprocClass("Probe.Widget.2", ClassId, "/opt/probe2.dll");
    test::SetClassRootDefault("Probe.Widget.Middle\\CurVer", "Probe.Widget.2");
    test::SetClassRootDefault("Probe.Widget\\CurVer", "Probe.Widget.Middle");
    EXPECT_EQ(mendor::ProgIdToServerPath("Probe.Widget"), "/opt/probe2.dll");
}

TEST_F(ServerLookupTest, CurVerChainThatComesBackIsNotFound)
{
    test::SetClassRootDefault("Loop.A\\CurVer", "Loop.B");
    test::SetClassRootDefault("Loop.B\\CurVer", "loop.a");
    test::SetClassRootDefault("Loop.Self\\CurVer", "Loop.Self");
    EXPECT_EQ(mendor::ProgIdToServerPath("Loop.A"), "");
    EXPECT_EQ(mendor::ProgIdToServerPath("Loop.Self"), "");
}

TEST_F(ServerLookupTest, ClassWithoutInprocServerHasNoPath)
{
    test::SetClassRootDefault("Probe.Outside\\CLSID", std::string("{") + ClassId + "}");
    test::SetClassRootDefault(std::string("CLSID\\{") + ClassId + "}\\LocalServer32", "/opt/server");
    EXPECT_EQ(mendor::ProgIdToServerPath("Probe.Outside"), "");
}

TEST_F(ServerLookupTest, ProgIdWhoseClassIdHasNoBraces)
{
    test::SetClassRootDefault("Probe.Bare\\CLSID", ClassId);
    test::SetClassRootDefault(std::string("CLSID\\{") + ClassId + "}\\InprocServer32", "/opt/bare.dll");
    EXPECT_EQ(mendor::ProgIdToServerPath("Probe.Bare"), "/opt/bare.dll");
}

struct ClassIdCase {
    const char* name;
    std::string classId;
    const char* path;
};

class ClassIdToServerPathTest : public testing::TestWithParam<ClassIdCase> {
protected:
    test::TempSuiteRoot m_root;
};

TEST_P(ClassIdToServerPathTest, FindsTheServerOfARegisteredClass)
{
    test::RegisterInprocClass("Probe.Widget.1", ClassId, "/opt/probe.dll");
    // A class with a server but no ProgID key counts as not installed.
    test::SetClassRootDefault(std::string("CLSID\\{") + OtherClassId + "}\\InprocServer32", "/opt/other.dll");
    EXPECT_EQ(mendor::ClassIdToServerPath(GetParam().classId), GetParam().path);
}

const ClassIdCase ClassIdCases[] = {
    { "WithBraces", std::string("{") + ClassId + "}", "/opt/probe.dll" },
    { "WithoutBraces", ClassId, "/opt/probe.dll" },
    { "OpeningBraceOnly", std::string("{") + ClassId, "/opt/probe.dll" },
    { "BlanksAroundBraces", std::string(" {") + ClassId + "} ", "" },
    { "NoProgIdKey", OtherClassId, "" },
    { "Unregistered", "00000000-0000-0000-0000-000000000001", "" },
    { "Empty", "", "" },
};

INSTANTIATE_TEST_SUITE_P(ClassIds, ClassIdToServerPathTest, testing::ValuesIn(ClassIdCases),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
