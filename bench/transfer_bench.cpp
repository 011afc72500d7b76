// Moving words in and out of the user dictionary: importing a 10,000-row word list into a user dictionary of
// 10,000 records (one locked read and one rewrite, whatever the number of rows), and exporting it again.

#include "services/WordListTransfer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace trelvik;

namespace {

constexpr int kRows = 10000;

// A Russian word in UTF-8 or Windows-1251 that differs for every n: "д" followed by n in base 32 letters.
std::string russian(int n, bool utf8)
{
    std::string word = utf8 ? "\xD0\xB4" : "\xE4";
    for (int x = n;; x /= 32) {
        const int letter = x % 32; // а..я
        if (utf8)
            word += letter < 16 ? std::string{'\xD0', static_cast<char>(0xB0 + letter)}
                                : std::string{'\xD1', static_cast<char>(0x80 + letter - 16)};
        else
            word += static_cast<char>(0xE0 + letter);
        if (x < 32)
            break;
    }
    return word;
}

class TransferFolder {
public:
    TransferFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "trelvik-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        std::string dictionary = " " + std::to_string(kRows) + " \r\n";
        std::string list = "russian,swedish,english\r\n";
        for (int i = 0; i < kRows; ++i) {
            dictionary +=
                "\"" + russian(i, false) + "\",\"ord" + std::to_string(i) + "\",\"word" + std::to_string(i) + "\"\r\n";
            list += russian(kRows + i, true) + ",nytt ord " + std::to_string(i) + ",\"new, word " + std::to_string(i)
                    + "\"\r\n";
        }
        m_dictionary = dictionary;
        m_list = list;
    }
    ~TransferFolder() { std::filesystem::remove_all(m_path); }

    // Puts the 10,000-record user dictionary in place again and returns its path.
    std::string freshUserDict() const
    {
        const auto path = m_path / "user.dct";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << m_dictionary;
        return path.string();
    }
    const std::string &list() const { return m_list; }

private:
    std::filesystem::path m_path;
    std::string m_dictionary;
    std::string m_list;
};

void BM_Import10000RowsInto10000Records(benchmark::State &state)
{
    const TransferFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string userDict = folder.freshUserDict();
        state.ResumeTiming();
        const ImportOutcome outcome = ImportWordList(userDict, folder.list(), ",", /*dryRun=*/false);
        if (!outcome.stored || outcome.added != kRows)
            state.SkipWithError("the import did not store every row");
    }
}
BENCHMARK(BM_Import10000RowsInto10000Records)->Unit(benchmark::kMillisecond);

void BM_Export10000Records(benchmark::State &state)
{
    const TransferFolder folder;
    const std::string userDict = folder.freshUserDict();
    for (auto _ : state) {
        ExportedWords exported;
        if (!ExportUserDict(userDict, WordListFormat::Csv, exported))
            state.SkipWithError("the export failed");
        benchmark::DoNotOptimize(exported.text.data());
    }
}
BENCHMARK(BM_Export10000Records)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
