// Benchmarks of the dictionary export: all six directions of the committed dictionary in either format, and
// the answer of a private dictd to one DEFINE from an exported database (dictd from Debian's dictd package;
// skipped where it is not installed).
//
// dictd writes an answer in several small pieces with Nagle's algorithm on, so a client that delays its
// acknowledgements (as TCP does by default) waits about 40 ms for every answer whatever the database holds.
// The DEFINE benchmark therefore runs twice: once with a client that acknowledges at once (TCP_QUICKACK), which
// measures the server's own work, and once with default acknowledgements, which is what a plain client sees.

#include "DictServer.h"
#include "dictexport/DictionaryExport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

using namespace trelvik;
namespace fs = std::filesystem;

namespace {

using benchsupport::BenchFolder;
using benchsupport::DictServer;

DictionaryExportRequest request(DictionaryFormat format)
{
    DictionaryExportRequest r;
    r.format = format;
    r.appDir = TRELVIK_APP_DIR;
    r.date = "2026-01-01";
    r.programName = "dictexport_bench";
    return r;
}

void BM_ExportSixDirections(benchmark::State &state)
{
    const BenchFolder out;
    const DictionaryExportRequest r = request(state.range(0) ? DictionaryFormat::StarDict : DictionaryFormat::Dict);
    for (auto _ : state) {
        const DictionaryExportResult result = ExportDictionaries(out.path().string(), r);
        if (!result.ok)
            state.SkipWithError(result.error.c_str());
    }
    state.SetLabel(state.range(0) ? "stardict" : "dict");
}
BENCHMARK(BM_ExportSixDirections)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DictdDefine(benchmark::State &state)
{
    const BenchFolder folder;
    const bool exported = ExportDictionaries(folder.path().string(), request(DictionaryFormat::Dict)).ok;
    DictServer server(folder.path(), {{"trelvik-sv-en", (folder.path() / "trelvik-sv-en").string()}});
    if (!exported || !server.ready()) {
        state.SkipWithError("dictd is not installed or did not start (apt-get install dictd)");
        return;
    }
    static constexpr std::string_view kWords[] = {"hus", "katt", "vatten", "bok", "dag", "hund", "stad", "mat"};
    std::size_t n = 0;
    for (auto _ : state) {
        if (n % 1000 == 999) {
            state.PauseTiming();
            if (!server.reconnect())
                state.SkipWithError("dictd did not take a new connection");
            state.ResumeTiming();
        }
        const std::string answer = server.define("trelvik-sv-en", kWords[n++ % std::size(kWords)], state.range(0) != 0);
        if (answer.empty())
            state.SkipWithError("dictd closed the connection");
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_DictdDefine)->ArgName("quickack")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
