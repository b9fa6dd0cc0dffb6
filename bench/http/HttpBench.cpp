// Downloads and text fetches from a loopback server. The 200 MB download is
// timed beside `curl -s -o` of the same URL in every iteration; the counters
// give curl's time and the ratio of ours to it.

#include "common/http/VelInternet.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <httplib.h>
#include <spawn.h>
#include <string>
// <thread> brings the clocks; <chrono> itself cannot be built with code page 936 literals.
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t Megabyte = 1024 * 1024;

// Serves /bytes/<n>: n bytes of a repeating pattern without NULs, streamed.
class PatternServer {
public:
    PatternServer()
    {
        for (std::size_t i = 0; i < m_pattern.size(); ++i)
            m_pattern[i] = static_cast<char>('A' + i % 61);
        m_server.Get(R"(/bytes/(\d+))", [this](const httplib::Request& request, httplib::Response& response) {
            const std::size_t length = std::stoull(request.matches[1]);
            response.set_content_provider(length, "application/octet-stream",
                [this](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                    const std::size_t start = offset % m_pattern.size();
                    return sink.write(m_pattern.data() + start, std::min(length, m_pattern.size() - start));
                });
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~PatternServer()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string Url(std::size_t bytes) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/bytes/" + std::to_string(bytes);
    }

private:
    std::string m_pattern = std::string(Megabyte, '\0');
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

PatternServer& Server()
{
    static PatternServer server;
    return server;
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

bool RunCurl(const std::string& url, const std::string& path)
{
    const char* arguments[] = { "curl", "-s", "-o", path.c_str(), url.c_str(), nullptr };
    pid_t child = 0;
    if (posix_spawnp(&child, "curl", nullptr, nullptr, const_cast<char**>(arguments), environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void FetchFileBesideCurl(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * Megabyte;
    const std::string url = Server().Url(bytes);
    const fs::path folder = fs::temp_directory_path() / ("http_bench." + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string ours = (folder / "ours.bin").string();
    const std::string theirs = (folder / "curl.bin").string();

    double ourSeconds = 0;
    double curlSeconds = 0;
    for (auto _ : state) {
        CVelInternet internet;
        int code = 0;
        std::string errorText;
        const auto start = Clock::now();
        const bool fetched = internet.FetchFile(url, ours, code, errorText);
        const auto fetchedAt = Clock::now();
        if (!fetched || fs::file_size(ours) != bytes) {
            state.SkipWithError(("FetchFile failed: " + errorText).c_str());
            break;
        }
        if (!RunCurl(url, theirs) || fs::file_size(theirs) != bytes) {
            state.SkipWithError("curl failed");
            break;
        }
        const auto curlDone = Clock::now();
        state.SetIterationTime(Seconds(fetchedAt - start));
        ourSeconds += Seconds(fetchedAt - start);
        curlSeconds += Seconds(curlDone - fetchedAt);
    }
    fs::remove_all(folder);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    if (state.iterations() > 0 && curlSeconds > 0) {
        state.counters["curl_ms"] = 1000 * curlSeconds / static_cast<double>(state.iterations());
        state.counters["ratio"] = ourSeconds / curlSeconds;
    }
}
BENCHMARK(FetchFileBesideCurl)->Arg(200)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void FetchText(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * Megabyte;
    const std::string url = Server().Url(bytes);
    for (auto _ : state) {
        CVelInternet internet;
        std::string text;
        int code = 0;
        std::string errorText;
        if (!internet.FetchText(url, text, code, errorText) || text.size() != bytes) {
            state.SkipWithError(("FetchText failed: " + errorText).c_str());
            break;
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(FetchText)->Arg(5)->Arg(10)->Arg(20)->UseRealTime()->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
