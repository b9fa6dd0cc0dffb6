// What a registry lookup and a profile write cost: the component lookups read
// a handful of keys per call, and the designer writes its settings on exit.

#include "platform/registry/Profile.h"
#include "platform/registry/Registry.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A scratch suite root for the whole run.
class ScratchRoot {
public:
    ScratchRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plinth-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data()) ? pattern : std::string();
        setenv("PLINTH_ROOT", m_path.c_str(), 1);
    }
    ~ScratchRoot()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

private:
    std::string m_path;
};

ScratchRoot g_root;

void OpenAndReadDefaultValue(benchmark::State& state)
{
    RegSetValueA(HKEY_CLASSES_ROOT, R"(CLSID\{9E526F70-B183-42A4-9EC5-60718293A4B5}\InprocServer32)", REG_SZ,
                 "/suite/system/Mendor.dll", 0);
    for (auto _ : state) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CLASSES_ROOT, R"(CLSID\{9E526F70-B183-42A4-9EC5-60718293A4B5}\InprocServer32)", 0,
                      KEY_READ, &key);
        char buffer[260];
        DWORD size = sizeof buffer;
        RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
        RegCloseKey(key);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(OpenAndReadDefaultValue);

void WriteProfileInteger(benchmark::State& state)
{
    registry::Profile profile = registry::Profile::ForApplication("Local AppWizard-Generated Applications", "Plinth");
    int value = 0;
    for (auto _ : state)
        profile.WriteInt("Settings", "TVDispType", ++value);
}
BENCHMARK(WriteProfileInteger);

} // namespace

BENCHMARK_MAIN();
