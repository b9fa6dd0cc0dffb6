// Test helper: writes what it was started with to the file named by
// PLINTH_TEST_OUTPUT, one record a line, each field as <length>:<bytes>:
//   arg <n>:<argument>   for every argument, program name first
//   cwd <n>:<folder>
//   env <n>:<value of PLINTH_TEST_VALUE>   or "env -" when it is unset
// It first sleeps PLINTH_TEST_SLEEP_MS milliseconds when that is set and ends
// with the exit code PLINTH_TEST_EXIT_CODE (0 when unset).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

void WriteField(std::FILE* file, const char* label, const char* text)
{
    std::fprintf(file, "%s %zu:", label, std::strlen(text));
    std::fwrite(text, 1, std::strlen(text), file);
    std::fputc('\n', file);
}

} // namespace

int main(int argc, char** argv)
{
    if (const char* sleep = std::getenv("PLINTH_TEST_SLEEP_MS"))
        usleep(static_cast<useconds_t>(std::atoi(sleep)) * 1000);
    const char* outputPath = std::getenv("PLINTH_TEST_OUTPUT");
    if (!outputPath)
        return 100;
    std::string temporary = std::string(outputPath) + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return 101;
    for (int i = 0; i < argc; ++i)
        WriteField(file, "arg", argv[i]);
    char folder[4096];
    WriteField(file, "cwd", getcwd(folder, sizeof folder) ? folder : "?");
    if (const char* value = std::getenv("PLINTH_TEST_VALUE"))
        WriteField(file, "env", value);
    else
        std::fputs("env -\n", file);
    std::fclose(file);
    // Renamed when complete, so a test that polls never reads half a file.
    if (std::rename(temporary.c_str(), outputPath) != 0)
        return 102;
    const char* exitCode = std::getenv("PLINTH_TEST_EXIT_CODE");
    return exitCode ? std::atoi(exitCode) : 0;
}
