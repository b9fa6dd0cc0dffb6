// Load and a full attribute walk of CXmlDocument beside pugixml's parse and
// the same walk, on the same generated documents of 1 MB and 20 MB shaped like
// binding definitions and upgrade descriptions. The run ends with the ratios
// (ours / pugixml's, by real time per iteration).

#include "common/markup/XmlDocument.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr size_t OneMegabyte = 1 << 20;

// Code page 936 bytes, written out so the document is the same whatever the
// compiler does with narrow literals: "合计" and "数据集".
const std::string Total = "\xBA\xCF\xBC\xC6";
const std::string Dataset = "\xCA\xFD\xBE\xDD\xBC\xAF";

std::string Generate(size_t size)
{
    std::string text = "<?xml version='1.0' encoding='gb2312'?>\r\n<Orlan>\r\n";
    text.reserve(size + 4096);
    for (int block = 0; text.size() < size; ++block) {
        const std::string n = std::to_string(block);
        switch (block % 3) {
        case 0:
            text
                += "<AliasSet Name='AliasSet" + n + "' Type='Set' Owner='" + Total + "' Version='1.0.0." + n + "'>\r\n";
            for (int i = 0; i < 8; ++i) {
                const std::string k = std::to_string(i + 1);
                text += "<Alias Name='" + Total + n + "_" + k + "' Row='" + k + "' Col='" + std::to_string(block % 200)
                    + "' Demo='&lt;" + k + "&gt;' BindTable='Table" + n + "' BindField='Field" + k + "' />\r\n";
            }
            text += "</AliasSet>\r\n";
            break;
        case 1:
            text += "<Kaldra Name='" + Dataset + n + "' Type='Add' RowDataType='Nomal' StartRow='2' EndRow='"
                + std::to_string(block % 90 + 3)
                + "' Style=\"FixedRows:yes;Single-Select:yes;Single-Select-Color:#C0C0C0;\">\r\n";
            for (int i = 0; i < 6; ++i) {
                const std::string k = std::to_string(i + 1);
                text += "<Field Name='Field" + k + "' Row='' Col='" + k + "' Demo='x &amp; y' BindTable='Orders" + n
                    + "' BindField='Column" + k + "' Format='#,##0.00' />\r\n";
            }
            text += "</Kaldra>\r\n";
            break;
        default:
            text += "<Verup StopVerup='yes' DownloadURL='http://127.0.0.1:8080/download/Verup.exe' NewVersion='1.0.0."
                + n + "'>\r\n";
            for (int i = 0; i < 4; ++i) {
                const std::string k = std::to_string(i + 1);
                text += "<COM Type='Verup' DllRegisterServer='yes' ProgID='Kaldra.Setup." + k
                    + "' ClassID='{6B2F3C4D-8E50-4F71-AB92-3D4E5F60718" + k + "}' NewVersion='1.0.0." + n
                    + "' DownloadURL='http://127.0.0.1:8080/download/Kaldra" + k + ".dll' SoftName='" + Dataset
                    + "' InstallDir='GetSystemDirectory()\\Kaldra" + k + ".dll' />\r\n";
            }
            text += "<EXE Type='Install' FileName='/opt/plinth/Plinth' NewVersion='2,0,0," + n
                + "' DownloadURL='http://127.0.0.1:8080/download/Plinth.exe' AfterVerupRun='yes' SoftName='Plinth' "
                  "/>\r\n"
                  "<AutoRun FileName='Plinth' Param='&quot;/check&quot;' />\r\n</Verup>\r\n";
        }
    }
    text += "</Orlan>\r\n";
    return text;
}

const std::string& Document(size_t size)
{
    static std::map<size_t, std::string> documents;
    auto [it, added] = documents.try_emplace(size);
    if (added)
        it->second = Generate(size);
    return it->second;
}

void SetSize(benchmark::State& state, const std::string& text)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / OneMegabyte;
}

void Load(benchmark::State& state)
{
    const std::string& text = Document(state.range(0));
    for (auto _ : state) {
        // A fresh document each time, as callers make one per text.
        CXmlDocument doc;
        if (!doc.Load(text.c_str()))
            state.SkipWithError("the document does not load");
        benchmark::ClobberMemory();
    }
    SetSize(state, text);
}

void PugiParse(benchmark::State& state)
{
    const std::string& text = Document(state.range(0));
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8))
            state.SkipWithError("pugixml does not parse the document");
        benchmark::ClobberMemory();
    }
    SetSize(state, text);
}

size_t WalkCurrent(CXmlDocument& doc)
{
    size_t bytes = 0;
    for (int n = 0;; ++n) {
        const std::string name = doc.GetAttributeName(n);
        if (name.empty())
            break;
        bytes += name.size() + doc.GetAttribute(name.c_str()).size();
    }
    while (doc.FindChildElement()) {
        bytes += doc.GetChildTagName().size();
        doc.EnterElement();
        bytes += WalkCurrent(doc);
        doc.LeaveElement();
    }
    return bytes;
}

void Walk(benchmark::State& state)
{
    const std::string& text = Document(state.range(0));
    const CXmlDocument loaded(text.c_str());
    size_t bytes = 0;
    for (auto _ : state) {
        // Each walk needs a cursor that stands before the root.
        state.PauseTiming();
        CXmlDocument doc = loaded;
        state.ResumeTiming();
        doc.FindElement();
        bytes = WalkCurrent(doc);
        benchmark::DoNotOptimize(bytes);
    }
    SetSize(state, text);
    state.counters["read"] = static_cast<double>(bytes);
}

size_t PugiWalkNode(const pugi::xml_node& node)
{
    size_t bytes = 0;
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const std::string name = attribute.name();
        bytes += name.size() + std::string(attribute.value()).size();
    }
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        bytes += std::string(child.name()).size();
        bytes += PugiWalkNode(child);
    }
    return bytes;
}

void PugiWalk(benchmark::State& state)
{
    const std::string& text = Document(state.range(0));
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = PugiWalkNode(doc.document_element());
        benchmark::DoNotOptimize(bytes);
    }
    SetSize(state, text);
    state.counters["read"] = static_cast<double>(bytes);
}

constexpr int64_t Sizes[] = { OneMegabyte, 20 * OneMegabyte };

// Keeps each run's times per iteration so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.run_name.function_name + "/" + run.run_name.args]
                    = { run.GetAdjustedCPUTime(), run.GetAdjustedRealTime() };
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatio (ours / pugixml)          CPU time   real time\n");
        for (int64_t size : Sizes) {
            Print("Load / pugixml parse", "Load", "PugiParse", size);
            Print("Walk / pugixml walk", "Walk", "PugiWalk", size);
        }
    }

private:
    struct Times {
        double cpu = 0;
        double real = 0;
    };

    void Print(const char* what, const char* ours, const char* theirs, int64_t size)
    {
        const std::string arg = std::to_string(size);
        const auto oursTimes = m_times.find(std::string(ours).append("/").append(arg));
        const auto theirTimes = m_times.find(std::string(theirs).append("/").append(arg));
        if (oursTimes == m_times.end() || theirTimes == m_times.end())
            return;
        std::printf("%-22s %3lld MB    %6.2f      %6.2f\n", what, static_cast<long long>(size / OneMegabyte),
            oursTimes->second.cpu / theirTimes->second.cpu, oursTimes->second.real / theirTimes->second.real);
    }

    std::map<std::string, Times> m_times;
};

} // namespace

BENCHMARK(Load)->ArgsProduct({ { Sizes[0], Sizes[1] } })->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PugiParse)->ArgsProduct({ { Sizes[0], Sizes[1] } })->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Walk)->ArgsProduct({ { Sizes[0], Sizes[1] } })->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PugiWalk)->ArgsProduct({ { Sizes[0], Sizes[1] } })->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
