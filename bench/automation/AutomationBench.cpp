// The cost of late-bound calls through CLateBoundObject and of creating an
// object of a component that is already loaded.

#include "designer/automation/LateBoundObject.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace {

void InvokeWithoutArguments(benchmark::State& state)
{
    CLateBoundObject object;
    if (!object.Create("PlinthBench.Target", 7)) {
        state.SkipWithError("the target component cannot be created");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(object.InvokeMethod("Nothing"));
}
BENCHMARK(InvokeWithoutArguments);

void InvokeWithThreeStrings(benchmark::State& state)
{
    CLateBoundObject object;
    if (!object.Create("PlinthBench.Target", 7)) {
        state.SkipWithError("the target component cannot be created");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(object.InvokeMethod("Join3", "Mendor.Verup", "1.0.0.6", "http://127.0.0.1/"));
}
BENCHMARK(InvokeWithThreeStrings);

void CreateInstanceOfLoadedComponent(benchmark::State& state)
{
    CoInitialize(nullptr);
    CLSID clsid;
    CLSIDFromProgID(u"PlinthBench.Target", &clsid);
    IDispatch* warm = nullptr;
    if (FAILED(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&warm)))) {
        state.SkipWithError("the target component cannot be created");
        CoUninitialize();
        return;
    }
    for (auto _ : state) {
        IDispatch* object = nullptr;
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
        object->Release();
    }
    warm->Release();
    CoUninitialize();
}
BENCHMARK(CreateInstanceOfLoadedComponent);

// Registers the target into a fresh suite root that is removed afterwards.
class BenchRoot {
public:
    BenchRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plinth-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
        setenv("PLINTH_ROOT", m_path.c_str(), 1);
        void* file = dlopen(PLINTH_BENCH_TARGET, RTLD_NOW | RTLD_LOCAL);
        auto registerServer = file ? reinterpret_cast<HRESULT (*)()>(dlsym(file, "DllRegisterServer")) : nullptr;
        m_ready = registerServer && SUCCEEDED(registerServer());
    }
    ~BenchRoot()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    bool Ready() const { return m_ready; }

private:
    std::string m_path;
    bool m_ready = false;
};

} // namespace

int main(int argc, char** argv)
{
    BenchRoot root;
    if (!root.Ready()) {
        std::fprintf(stderr, "cannot register %s\n", PLINTH_BENCH_TARGET);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
