#include "platform/system/Process.h"

#include "platform/base/Errors.h"
#include "platform/system/SuiteRoot.h"
#include "tests/platform/system/EchoOutput.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempSuiteRoot.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const std::string EchoProgram = PLINTH_ARGUMENT_ECHO;

class ProcessTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_output = m_root.Path() / "echo.txt";
        m_environment.Set("PLINTH_TEST_OUTPUT", m_output.string());
    }

    // Starts the program, waits for it and returns its exit code.
    DWORD Run(LPCSTR application, std::string commandLine, LPVOID environment = nullptr, LPCSTR folder = nullptr)
    {
        STARTUPINFOA startup {};
        startup.cb = 68;
        PROCESS_INFORMATION process {};
        BOOL started = CreateProcessA(application, commandLine.data(), nullptr, nullptr, TRUE, 0, environment, folder,
                                      &startup, &process);
        EXPECT_TRUE(started) << "error " << GetLastError();
        if (!started)
            return 0xFFFFFFFF;
        EXPECT_EQ(WaitForSingleObject(process.hProcess, INFINITE), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
        EXPECT_TRUE(CloseHandle(process.hProcess));
        EXPECT_TRUE(CloseHandle(process.hThread));
        return exitCode;
    }

    std::vector<std::string> Arguments()
    {
        auto output = test::ReadEchoOutput(m_output);
        return output ? output->arguments : std::vector<std::string> {"(no output)"};
    }

    test::TempSuiteRoot m_root;
    test::ScopedEnvironment m_environment;
    fs::path m_output;
};

struct QuotingCase {
    const char* name;
    const char* arguments; // the command line after the program name
    std::vector<std::string> expected;
};

const QuotingCase QuotingCases[] = {
    {"BlanksInQuotes", R"("a b" c)", {"a b", "c"}},
    {"BackslashesAndQuotes", R"(a\\"b c" \"x\" d\e)", {R"(a\b c)", R"("x")", R"(d\e)"}},
    {"EmptyArgument", R"("" x)", {"", "x"}},
    {"ShellCharactersArePlainText", R"($(touch pwned) ;|& `id` *)", {"$(touch", "pwned)", ";|&", "`id`", "*"}},
    {"ChineseText", R"("报表 乗" 输出)", {"报表 乗", "输出"}},
};

class ProcessQuotingTest : public ProcessTest, public testing::WithParamInterface<QuotingCase> {};

TEST_P(ProcessQuotingTest, ChildReceivesTheSplitArguments)
{
    ASSERT_EQ(Run(EchoProgram.c_str(), "\"" + EchoProgram + "\" " + GetParam().arguments), 0u);
    std::vector<std::string> expected {EchoProgram};
    expected.insert(expected.end(), GetParam().expected.begin(), GetParam().expected.end());
    EXPECT_EQ(Arguments(), expected);
    EXPECT_FALSE(fs::exists("pwned"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessQuotingTest, testing::ValuesIn(QuotingCases),
                         [](const testing::TestParamInfo<QuotingCase>& info) { return info.param.name; });

TEST_F(ProcessTest, CommandLineWithLeadingBlankGetsTheApplicationAsProgramName)
{
    // The updater hand-off: application path plus " <length>".
    ASSERT_EQ(Run(EchoProgram.c_str(), " 1234"), 0u);
    EXPECT_EQ(Arguments(), (std::vector<std::string> {EchoProgram, "1234"}));
}

TEST_F(ProcessTest, BareProgramNameIsFoundInTheSystemDirectory)
{
    fs::path installed = fs::path(sys::SystemDirectory()) / "Verup.exe";
    fs::copy_file(EchoProgram, installed);
    ASSERT_EQ(Run(nullptr, "Verup.exe 99"), 0u);
    EXPECT_EQ(Arguments(), (std::vector<std::string> {"Verup.exe", "99"}));
}

TEST_F(ProcessTest, EnvironmentBlockReplacesTheCallersEnvironment)
{
    m_environment.Set("PLINTH_TEST_VALUE", "from the caller");
    std::string block = "PLINTH_TEST_OUTPUT=" + m_output.string() + '\0' + "PLINTH_TEST_VALUE=数据 值" + '\0' + '\0';
    ASSERT_EQ(Run(EchoProgram.c_str(), "echo", block.data()), 0u);
    auto output = test::ReadEchoOutput(m_output);
    ASSERT_TRUE(output);
    EXPECT_EQ(output->value, "数据 值");
}

TEST_F(ProcessTest, ChildStartsInTheGivenFolder)
{
    fs::path folder = m_root.Path() / "work folder";
    fs::create_directory(folder);
    ASSERT_EQ(Run(EchoProgram.c_str(), "echo", nullptr, folder.c_str()), 0u);
    auto output = test::ReadEchoOutput(m_output);
    ASSERT_TRUE(output);
    EXPECT_EQ(output->folder, fs::canonical(folder).string());
}

TEST_F(ProcessTest, ExitCodeIsReported)
{
    m_environment.Set("PLINTH_TEST_EXIT_CODE", "7");
    EXPECT_EQ(Run(EchoProgram.c_str(), "echo"), 7u);
}

TEST_F(ProcessTest, RunningProcessIsStillActiveUntilItEnds)
{
    m_environment.Set("PLINTH_TEST_SLEEP_MS", "1500");
    std::string commandLine = "echo";
    PROCESS_INFORMATION process {};
    ASSERT_TRUE(CreateProcessA(EchoProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               nullptr, &process));
    EXPECT_GT(process.dwProcessId, 0u);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 50), WAIT_TIMEOUT);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(process.hThread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(CloseHandle(process.hProcess));
    EXPECT_TRUE(CloseHandle(process.hThread));
    EXPECT_FALSE(CloseHandle(process.hThread));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), WAIT_FAILED);
}

struct FailureCase {
    const char* name;
    const char* application; // relative to the suite root; nullptr for none
    const char* commandLine;
    const char* folder;      // relative to the suite root; nullptr for none
    LONG error;
};

const FailureCase FailureCases[] = {
    {"MissingProgram", "missing", "missing", nullptr, ERROR_FILE_NOT_FOUND},
    {"BareNameFoundNowhere", nullptr, "plinth-no-such-program a", nullptr, ERROR_FILE_NOT_FOUND},
    {"NoProgramAtAll", nullptr, "", nullptr, ERROR_INVALID_PARAMETER},
    {"FolderAsProgram", "system", "x", nullptr, ERROR_ACCESS_DENIED},
    {"FileWithoutExecutePermission", "plain.txt", "x", nullptr, ERROR_ACCESS_DENIED},
    {"ExecutableThatIsNoProgram", "garbage.bin", "x", nullptr, ERROR_BAD_EXE_FORMAT},
    {"MissingFolder", "echo", "x", "no-such-folder", ERROR_DIRECTORY},
};

class ProcessFailureTest : public ProcessTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(ProcessFailureTest, ReportsFalseAndTheErrorCode)
{
    const FailureCase& failure = GetParam();
    fs::copy_file(EchoProgram, m_root.Path() / "echo");
    sys::SystemDirectory();
    std::ofstream(m_root.Path() / "plain.txt") << "text";
    std::ofstream(m_root.Path() / "garbage.bin") << "\x01\x02 not a program";
    fs::permissions(m_root.Path() / "garbage.bin", fs::perms::owner_all);

    std::string application = failure.application ? (m_root.Path() / failure.application).string() : "";
    std::string folder = failure.folder ? (m_root.Path() / failure.folder).string() : "";
    std::string commandLine = failure.commandLine;
    PROCESS_INFORMATION process {};
    SetLastError(0);
    EXPECT_FALSE(CreateProcessA(failure.application ? application.c_str() : nullptr, commandLine.data(), nullptr,
                                nullptr, FALSE, 0, nullptr, failure.folder ? folder.c_str() : nullptr, nullptr,
                                &process));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(failure.error));
    EXPECT_EQ(process.hProcess, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessFailureTest, testing::ValuesIn(FailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(SleepTest, WaitsAtLeastTheGivenTime)
{
    auto start = std::chrono::steady_clock::now();
    Sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

} // namespace
