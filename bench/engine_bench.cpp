// Benchmarks of the hot paths: one request against a letter with six full volumes, with and without large
// user dictionaries, and one append to a large user dictionary. Every request reads its files from disk,
// as the program does; the page cache keeps that honest but fast.

#include "engine/TranslateWord.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"
#include "wordforms/HunspellBaseForms.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace trelvik;

namespace {

// A Windows-1251 word that starts with п (0xEF) and varies with n.
std::string russianWord(int n)
{
    std::string word = "\xEF";
    for (int x = n; x > 0 || word.size() < 5; x /= 7)
        word += static_cast<char>(0xE0 + (x % 7) * 3 + static_cast<int>(word.size()) % 3);
    return word;
}

std::string record(const std::string &ru, int n)
{
    return "\"" + ru + "\",\"ord" + std::to_string(n) + "\",\"word" + std::to_string(n) + "\"\r\n";
}

class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "trelvik-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(m_path / "data" / "ru");
        for (int v = 1; v <= 6; ++v) {
            std::ofstream out(m_path / "data" / "ru" / ("mRP" + std::to_string(v) + ".dct"), std::ios::binary);
            for (int i = 0; i < kVolumeRecordLimit; ++i)
                out << record(russianWord(v * 1000 + i), i);
        }
    }
    ~BenchFolder() { std::filesystem::remove_all(m_path); }

    std::string userDict(int records) const
    {
        const auto path = m_path / ("user" + std::to_string(records) + ".dct");
        if (!std::filesystem::exists(path)) {
            std::ofstream out(path, std::ios::binary);
            out << ' ' << records << " \r\n";
            for (int i = 0; i < records; ++i)
                out << record(russianWord(100000 + i), i);
        }
        return path.string();
    }
    std::string str() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

BenchFolder &folder()
{
    static BenchFolder instance;
    return instance;
}

void runRequests(benchmark::State &state, int userRecords)
{
    const LookupEnvironment env{folder().str(), userRecords > 0 ? folder().userDict(userRecords) : "", &LookupUserDict};
    LookupQuery query;
    query.from = Language::Russian;
    query.to = Language::Swedish;
    query.useUserDict = userRecords > 0;
    query.word = russianWord(3250); // an entry of the fourth volume; its prefix also yields nearest words
    for (auto _ : state) {
        LookupResult result = TranslateWord(query, env);
        benchmark::DoNotOptimize(result);
    }
}

void BM_RequestSixFullVolumes(benchmark::State &state)
{
    runRequests(state, 0);
}

// A word of six full volumes that is not found, looked up plainly (range 0) or with word forms (range 1),
// whose base forms are then each searched in the same volumes too. Hunspell's dictionary loads before timing.
void BM_RequestNotFound(benchmark::State &state)
{
    static HunspellBaseForms forms;
    const LookupEnvironment env{folder().str(), "", nullptr, state.range(0) != 0 ? &forms : nullptr};
    LookupQuery query;
    query.from = Language::Russian;
    query.to = Language::Swedish;
    query.useUserDict = false;
    query.word = "\xEF\xEE\xE5\xE7\xE4\xE0\xEC\xE8"; // поездами: trains, with translations for neither it nor поезд
    TranslateWord(query, env);
    for (auto _ : state) {
        LookupResult result = TranslateWord(query, env);
        benchmark::DoNotOptimize(result);
    }
}

// The first use of the option: loading the Russian Hunspell dictionary.
void BM_LoadRussianDictionary(benchmark::State &state)
{
    for (auto _ : state) {
        HunspellBaseForms forms;
        benchmark::DoNotOptimize(forms.baseForms("\xEA\xED\xE8\xE3\xE8", Language::Russian)); // книги
    }
}
void BM_RequestWithUserDict(benchmark::State &state)
{
    runRequests(state, static_cast<int>(state.range(0)));
}

void BM_AppendToUserDict(benchmark::State &state)
{
    const std::string source = folder().userDict(static_cast<int>(state.range(0)));
    const std::string path = source + ".append";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        std::int32_t count = 0;
        UserTable table;
        const UserDictResult result = AddUserRecord(path, count, table, Triple{"\xEF\xE5\xF1", "hund", "dog"});
        if (!result)
            state.SkipWithError(result.error.c_str());
    }
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_RequestSixFullVolumes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RequestNotFound)->ArgName("forms")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadRussianDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RequestWithUserDict)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendToUserDict)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
