#include "platform/system/ShellExecute.h"

#include "platform/system/SuiteRoot.h"
#include "tests/platform/system/EchoOutput.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempSuiteRoot.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string EchoProgram = PLINTH_ARGUMENT_ECHO;

std::intptr_t Code(HINSTANCE result) { return reinterpret_cast<std::intptr_t>(result); }

// Puts a stand-in desktop handler first in PATH: an xdg-open that records what
// it was asked to open.
class ShellExecuteTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::path bin = m_root.Path() / "bin";
        fs::create_directory(bin);
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$PLINTH_TEST_OPENED.part\"\n"
                                           "mv \"$PLINTH_TEST_OPENED.part\" \"$PLINTH_TEST_OPENED\"\n";
        fs::permissions(bin / "xdg-open", fs::perms::owner_all);
        const char* path = std::getenv("PATH");
        m_environment.Set("PATH", bin.string() + ":" + (path ? path : ""));
        m_opened = m_root.Path() / "opened.txt";
        m_environment.Set("PLINTH_TEST_OPENED", m_opened.string());
        m_echoOutput = m_root.Path() / "echo.txt";
        m_environment.Set("PLINTH_TEST_OUTPUT", m_echoOutput.string());
    }

    std::string AwaitOpened()
    {
        for (int waited = 0; waited < 10000 && !fs::exists(m_opened); waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream stream(m_opened);
        std::string line;
        std::getline(stream, line);
        return line;
    }

    test::TempSuiteRoot m_root;
    test::ScopedEnvironment m_environment;
    fs::path m_opened;
    fs::path m_echoOutput;
};

TEST_F(ShellExecuteTest, UrlGoesToTheDesktopHandler)
{
    const char* url = "http://127.0.0.1:8080/help?topic=a b";
    EXPECT_GT(Code(ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL)), 32);
    EXPECT_EQ(AwaitOpened(), url);
}

TEST_F(ShellExecuteTest, DocumentGoesToTheDesktopHandlerByFullPath)
{
    std::ofstream(m_root.Path() / "report.orn") << "report";
    EXPECT_GT(Code(ShellExecuteA(nullptr, nullptr, "report.orn", nullptr, m_root.String().c_str(), SW_SHOWNORMAL)), 32);
    EXPECT_EQ(AwaitOpened(), (m_root.Path() / "report.orn").string());
}

TEST_F(ShellExecuteTest, ProgramStartsWithTheParameterTextInTheFolder)
{
    fs::path folder = m_root.Path() / "folder";
    fs::create_directory(folder);
    EXPECT_GT(Code(ShellExecuteA(nullptr, "open", EchoProgram.c_str(), R"(a "b c" d\e)", folder.c_str(), 1)), 32);
    auto output = test::AwaitEchoOutput(m_echoOutput);
    ASSERT_TRUE(output);
    EXPECT_EQ(output->arguments, (std::vector<std::string> {EchoProgram, "a", "b c", R"(d\e)"}));
    EXPECT_EQ(output->folder, fs::canonical(folder).string());
}

TEST_F(ShellExecuteTest, BareProgramNameIsFoundInTheSystemDirectory)
{
    fs::path installed = fs::path(sys::SystemDirectory()) / "regsvr";
    fs::copy_file(EchoProgram, installed);
    std::string path = (m_root.Path() / "system" / "Mendor.dll").string();
    EXPECT_GT(Code(ShellExecuteA(nullptr, "open", "regsvr", (" /s " + path).c_str(), nullptr, 1)), 32);
    auto output = test::AwaitEchoOutput(m_echoOutput);
    ASSERT_TRUE(output);
    EXPECT_EQ(output->arguments, (std::vector<std::string> {installed.string(), "/s", path}));
}

struct ShellFailure {
    const char* name;
    const char* operation;
    const char* file;
    const char* folder;
    std::intptr_t code;
};

const ShellFailure ShellFailures[] = {
    {"MissingFile", "open", "no-such-document.orn", nullptr, SE_ERR_FNF},
    {"EmptyFile", "open", "", nullptr, SE_ERR_FNF},
    {"MissingFolder", "open", "report.orn", "/no/such/folder", SE_ERR_PNF},
    {"UnknownVerb", "print", "http://127.0.0.1/", nullptr, SE_ERR_NOASSOC},
};

class ShellFailureTest : public ShellExecuteTest, public testing::WithParamInterface<ShellFailure> {};

TEST_P(ShellFailureTest, ReportsTheShellErrorCode)
{
    const ShellFailure& failure = GetParam();
    EXPECT_EQ(Code(ShellExecuteA(nullptr, failure.operation, failure.file, nullptr, failure.folder, 1)), failure.code);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShellFailureTest, testing::ValuesIn(ShellFailures),
                         [](const testing::TestParamInfo<ShellFailure>& info) { return info.param.name; });

TEST_F(ShellExecuteTest, UrlWithoutADesktopHandlerHasNoAssociation)
{
    m_environment.Set("PATH", (m_root.Path() / "empty").string());
    EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "http://127.0.0.1/", nullptr, nullptr, 1)), SE_ERR_NOASSOC);
}

} // namespace
