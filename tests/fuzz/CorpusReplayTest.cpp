// Every file of the fuzz seed corpus, run through the same entry points as the fuzzers, so that the
// inputs the fuzzers start from (and every crash input added to the corpus after a fix) stay covered by
// ordinary test runs.

#include "FuzzQtText.h"
#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Entry = std::string (*)(const std::uint8_t *, std::size_t);

struct Target {
    const char *name;
    Entry entry;
    friend void PrintTo(const Target &c, std::ostream *os) { *os << c.name; }
};

std::vector<std::filesystem::path> corpusFiles(const char *target)
{
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = std::filesystem::path(TRELVIK_FUZZ_CORPUS) / target;
    for (const auto &item : std::filesystem::directory_iterator(folder)) {
        if (item.is_regular_file())
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CorpusReplay : public testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EverySeedPassesTheFuzzChecks)
{
    const Target target = GetParam();
    const auto files = corpusFiles(target.name);
    ASSERT_FALSE(files.empty()) << "no seeds for " << target.name;
    for (const auto &file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(target.entry(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()), "")
            << file.filename().string();
    }
}

// Generated from the list of fuzz targets in fuzz/FuzzEntries.cmake.
const Target kTargets[] = {
#include "FuzzTargetTable.inc"
};

INSTANTIATE_TEST_SUITE_P(Seeds, CorpusReplay, testing::ValuesIn(kTargets),
                         [](const testing::TestParamInfo<Target> &param) { return std::string(param.param.name); });

} // namespace
