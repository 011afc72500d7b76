// Files that anyone can edit or damage: whatever lies in a volume, the user dictionary or an example text,
// reading it must not crash, hang or allocate by a number found in the file, must give a sensible result,
// and must never change the user dictionary.

#include "support/ChildProcess.h"
#include "support/TestSupport.h"

#include "base/FileIO.h"
#include "engine/LookupContext.h"
#include "engine/VolumeSearch.h"
#include "services/ExampleText.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/stat.h>

using namespace testsupport;
using namespace trelvik;

namespace {

constexpr std::size_t kFiftyMegabytes = 50u << 20;

std::string twoRecords()
{
    return line("дом", "hus", "house") + line("кот", "katt", "cat");
}

std::string binaryJunk()
{
    std::mt19937 random(7);
    std::string bytes(256 * 1024, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random() & 0xFF);
    bytes[0] = '\xFF'; // never a digit, so the count line is junk too
    return bytes;
}

// A request for "дом" from Russian to English.
LookupContext russianToEnglish()
{
    return lookupContext("дом", Language::Russian, Language::English);
}

struct FileStamp {
    std::string bytes;
    timespec modified{};
    bool operator==(const FileStamp &other) const
    {
        return bytes == other.bytes && modified.tv_sec == other.modified.tv_sec
               && modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileStamp stampOf(const std::string &path)
{
    FileStamp stamp{readFile(path), {}};
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        stamp.modified = st.st_mtim;
    return stamp;
}

constexpr int kAny = -1;

struct HostileCase {
    const char *name;
    std::function<std::string()> bytes;
    int volumeHits;  // exact hits for "дом" when the bytes are a volume (kAny: only bounds are checked)
    bool userReadOk; // whether the user dictionary reader accepts the bytes
    int userCount;   // the count it reports
    int userHits;    // exact hits of a user dictionary lookup for "дом"
    bool appendOk;   // whether an append is accepted (a refused one must leave the file alone)
    friend void PrintTo(const HostileCase &c, std::ostream *os) { *os << c.name; }
};

const HostileCase kCases[] = {
    {"binary_junk", binaryJunk, kAny, false, 0, 0, false},
    {"nul_bytes", [] { return std::string(64 * 1024, '\0'); }, 0, false, 0, 0, false},
    {"nul_inside_a_word", [] { return " 3 \r\n" + line("д", "x", "y").insert(3, 1, '\0') + twoRecords(); }, kAny, true,
     3, 1, false},
    {"single_50MB_line", [] { return std::string(kFiftyMegabytes, 'x'); }, 0, false, 0, 0, false},
    {"50MB_field_after_a_record",
     [] { return " 2 \r\n" + line("дом", "hus", "house") + "\"" + std::string(kFiftyMegabytes, 'x'); }, kAny, true, 2,
     1, false},
    {"unmatched_quote_at_end_of_file", [] { return " 3 \r\n" + twoRecords() + "\"" + sb("дом") + "\",\"hus\",\"home"; },
     kAny, true, 3, 2, false},
    {"count_minus_5", [] { return " -5 \r\n" + twoRecords(); }, kAny, true, -5, 0, true},
    {"count_abc", [] { return " abc \r\n" + twoRecords(); }, kAny, false, 0, 0, false},
    {"count_99999999999", [] { return " 99999999999 \r\n" + twoRecords(); }, kAny, false, 0, 0, false},
    {"count_far_beyond_the_records", [] { return " 2000000000 \r\n" + twoRecords(); }, kAny, true, 2000000000, 1, true},
    {"ends_in_the_middle_of_a_record", [] { return " 3 \r\n" + twoRecords() + "\"" + sb("дом") + "\",\"hu"; }, kAny,
     true, 3, 1, false},
    {"volume_ends_in_the_middle_of_a_record", [] { return twoRecords() + "\"" + sb("дом") + "\",\"hu"; }, 1, false, 0,
     0, false},
    {"volume_with_unmatched_quote_at_end", [] { return twoRecords() + "\"" + sb("дом") + "\",\"hus\",\"home"; }, 2,
     false, 0, 0, false},
};

class HostileFile : public testing::TestWithParam<HostileCase> {
protected:
    TempAppDir dir;
};

TEST_P(HostileFile, AsVolumeGivesBoundedResults)
{
    const HostileCase &c = GetParam();
    const auto path = dir.volume("ru", "mRD1");
    writeFile(path, c.bytes());

    // A search that never ends is caught by the test's time limit; how fast it is, the benchmarks say.
    LookupContext ctx = russianToEnglish();
    SearchVolume(path.string(), ctx);
    if (c.volumeHits != kAny) {
        EXPECT_EQ(ctx.translations.size(), c.volumeHits);
    }
    EXPECT_LE(ctx.translations.size(), kMaxTranslations);
    EXPECT_LE(ctx.nearest.size(), kMaxNearestWords);
}

TEST_P(HostileFile, AsUserDictionaryIsReadSensiblyAndNeverChangedByReading)
{
    const HostileCase &c = GetParam();
    const std::string path = dir.userDict();
    writeFile(path, c.bytes());
    const FileStamp before = stampOf(path);

    std::int32_t count = 0;
    UserTable table;
    const UserDictResult read = ReadUserDict(path, count, table);
    EXPECT_EQ(read.ok, c.userReadOk) << read.error;
    if (read) {
        EXPECT_EQ(count, c.userCount);
        // The table holds what the file has, however large the count claims to be.
        EXPECT_LE(table.size(), 3u);
    } else {
        EXPECT_EQ(read.error, "The user dictionary " + path + " is damaged: its first line is not a record count.");
    }

    LookupContext ctx = russianToEnglish();
    LookupUserDict(path, ctx);
    EXPECT_EQ(ctx.translations.size(), c.userHits);
    EXPECT_TRUE(stampOf(path) == before) << "a read changed the user dictionary";

    std::int32_t appendCount = 0;
    const UserDictResult added = AddUserRecord(path, appendCount, table, Triple{sb("новый"), "ny", "new"});
    EXPECT_EQ(added.ok, c.appendOk) << added.error;
    if (!added) {
        EXPECT_TRUE(stampOf(path) == before) << "a refused append changed the user dictionary";
        return;
    }
    // Whatever the damage, the new record lands behind the records that were there and is found.
    std::int32_t after = 0;
    UserTable written;
    ASSERT_TRUE(ReadUserDict(path, after, written));
    EXPECT_EQ(after, appendCount + 1);
    LookupContext fresh;
    fresh.word = sb("новый");
    fresh.from = Language::Russian;
    fresh.to = Language::English;
    LookupUserDict(path, fresh);
    ASSERT_EQ(fresh.translations.size(), 1u);
    EXPECT_EQ(fresh.translations[0], "new");
}

TEST_P(HostileFile, AsExampleTextShowsLinesEachEndedByALineBreak)
{
    const std::string path = (dir.path() / "sound" / "text1.dat").string();
    writeFile(path, GetParam().bytes());
    const std::string text = LoadExampleText(path);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileFile, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase> &param) {
                             return std::string(param.param.name);
                         });

// Paths that are not readable regular files: each reader gives nothing or an error, promptly.
struct OddPath {
    const char *name;
    std::function<void(const std::string &path)> make;
    const char *userDictError; // what reading it as the user dictionary says, after the path
    friend void PrintTo(const OddPath &c, std::ostream *os) { *os << c.name; }
};

const OddPath kOddPaths[] = {
    {"directory", [](const std::string &path) { std::filesystem::create_directory(path); }, ": not a regular file"},
    {"named_pipe", [](const std::string &path) { ::mkfifo(path.c_str(), 0644); }, ": not a regular file"},
    {"link_to_dev_zero", [](const std::string &path) { std::filesystem::create_symlink("/dev/zero", path); },
     ": not a regular file"},
};

class OddFile : public testing::TestWithParam<OddPath> {
protected:
    TempAppDir dir;
};

TEST_P(OddFile, ReadersGiveNothingWithoutHangingAndWritersRefuse)
{
    const std::string path = (dir.path() / "odd.dct").string();
    GetParam().make(path);
    const std::string expectedError = std::string("Cannot read ") + path + GetParam().userDictError;

    // A child, so that a reader that blocks (as an open of a pipe without a writer would) fails the test.
    const ChildResult child = RunInChild(
        [&](std::FILE *report) {
            LookupContext ctx = russianToEnglish();
            SearchVolume(path, ctx);
            LookupUserDict(path, ctx);
            if (ctx.translations.size() != 0 || !LoadExampleText(path).empty())
                return 1;
            std::int32_t count = 0;
            UserTable table;
            const UserDictResult read = ReadUserDict(path, count, table);
            const UserDictResult added = AddUserRecord(path, count, table, Triple{"a", "c", "b"});
            std::fprintf(report, "%s\n%s", read.error.c_str(), added.error.c_str());
            return read.ok || added.ok ? 2 : 0;
        },
        10);
    EXPECT_EQ(child.signal, 0) << "a reader hung or crashed";
    EXPECT_EQ(child.exitCode, 0);
    // An add fails as a write: it is the file's replacement that cannot be.
    EXPECT_EQ(child.output, expectedError + "\nCannot write " + path + GetParam().userDictError);
    EXPECT_FALSE(std::filesystem::is_regular_file(path)) << "a writer replaced the odd file";
}

INSTANTIATE_TEST_SUITE_P(Paths, OddFile, testing::ValuesIn(kOddPaths),
                         [](const testing::TestParamInfo<OddPath> &param) { return std::string(param.param.name); });

TEST(UnreadableFile, IsNeitherReadNorReplaced)
{
    TempAppDir dir;
    // Root reads everything, so the readers run as an unprivileged user where the test runs as root.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    const std::string path = dir.userDict();
    const std::string volume = dir.volume("ru", "mRD1").string();
    writeFile(path, " 2 \r\n" + twoRecords());
    writeFile(volume, twoRecords());
    ::chmod(path.c_str(), 0);
    ::chmod(volume.c_str(), 0);
    ::chmod(std::filesystem::path(volume).parent_path().c_str(), 0777);
    ::chmod((dir.path() / "data").c_str(), 0755);
    const FileStamp before = stampOf(path);

    const ChildResult child = RunInChild(
        [&](std::FILE *report) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 3;
            LookupContext ctx = russianToEnglish();
            SearchVolume(volume, ctx);
            LookupUserDict(path, ctx);
            std::int32_t count = 0;
            UserTable table;
            const UserDictResult read = ReadUserDict(path, count, table);
            const UserDictResult added = AddUserRecord(path, count, table, Triple{"a", "c", "b"});
            std::fprintf(report, "%s\n%s", read.error.c_str(), added.error.c_str());
            return ctx.translations.size() == 0 && !read.ok && !added.ok ? 0 : 1;
        },
        10);
    ASSERT_NE(child.exitCode, 3) << "cannot switch to an unprivileged user";
    EXPECT_EQ(child.exitCode, 0);
    const std::string expected = "Cannot open " + path + ": Permission denied";
    EXPECT_EQ(child.output, expected + "\n" + expected);
    ::chmod(path.c_str(), 0644);
    EXPECT_TRUE(stampOf(path) == before);
}

// A volume of 1 GiB, mostly a hole: a lookup costs what its first 500 records cost, not what the file holds.
TEST(HugeVolume, IsReadOnlyAsFarAsItsFirst500RecordsNeed)
{
    TempAppDir dir;
    const std::string path = dir.volume("ru", "mRD1").string();
    std::string head;
    for (int i = 1; i <= kVolumeRecordLimit; ++i)
        head += line(i == kVolumeRecordLimit ? "дом" : "слово", "hus", "house");
    writeFile(path, head);
    std::filesystem::resize_file(path, kMaxDataFileBytes);

    const ChildResult child = RunInChild([&](std::FILE *report) {
        ResetPeakMemory();
        const long base = ProcStatusKb("VmRSS");
        LookupContext ctx = russianToEnglish();
        SearchVolume(path, ctx);
        std::fprintf(report, "%ld", ProcStatusKb("VmHWM") - base);
        return ctx.translations.size() == 1 ? 0 : 1;
    });
    ASSERT_EQ(child.exitCode, 0) << "signal " << child.signal;
    EXPECT_LT(std::stol(child.output), 8 * 1024) << "kB more at the peak";
}

// A user dictionary of a million records: counting and looking up work, in time and memory that follow
// the file's size.
TEST(MillionRecordUserDictionary, CountLookupAndAppendStayBounded)
{
    constexpr int kRecords = 1000000;
    TempAppDir dir;
    const std::string path = dir.userDict();
    {
        std::string bytes = " " + std::to_string(kRecords) + " \r\n";
        bytes.reserve(48u * kRecords);
        for (int i = 0; i < kRecords; ++i) {
            const std::string n = std::to_string(i);
            bytes += "\"" + sb("слово") + n + "\",\"ord" + n + "\",\"word" + n + "\"\r\n";
        }
        writeFile(path, bytes);
    }
    const long fileKb = static_cast<long>(std::filesystem::file_size(path) / 1024);

    const ChildResult child = RunInChild(
        [&](std::FILE *report) {
            ResetPeakMemory();
            long base = ProcStatusKb("VmRSS");
            LookupContext ctx;
            ctx.word = sb("слово") + std::to_string(kRecords - 1);
            ctx.from = Language::Russian;
            ctx.to = Language::English;
            auto start = std::chrono::steady_clock::now();
            LookupUserDict(path, ctx);
            const auto lookupMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            const long lookupKb = ProcStatusKb("VmHWM") - base;
            if (ctx.translations.size() != 1 || ctx.translations[0] != "word" + std::to_string(kRecords - 1))
                return 1;

            ResetPeakMemory();
            base = ProcStatusKb("VmRSS");
            std::int32_t count = 0;
            start = std::chrono::steady_clock::now();
            if (!ReadUserDictCount(path, count) || count != kRecords)
                return 2;
            const auto countMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            const long countKb = ProcStatusKb("VmHWM") - base;
            std::fprintf(report, "%ld %ld %lld %lld", lookupKb, countKb, static_cast<long long>(lookupMs),
                         static_cast<long long>(countMs));
            return 0;
        },
        120);
    ASSERT_EQ(child.exitCode, 0) << "signal " << child.signal;
    long lookupKb = 0, countKb = 0;
    long long lookupMs = 0, countMs = 0;
    ASSERT_EQ(std::sscanf(child.output.c_str(), "%ld %ld %lld %lld", &lookupKb, &countKb, &lookupMs, &countMs), 4);
    std::printf("user.dct of %d records, %ld kB: lookup peak +%ld kB in %lld ms, count peak +%ld kB in %lld ms\n",
                kRecords, fileKb, lookupKb, lookupMs, countKb, countMs);
    // The lookup streams over the bytes it read; the count reads line 1 only.
    EXPECT_LT(lookupKb, fileKb + 8 * 1024);
    EXPECT_LT(countKb, 8 * 1024);

    std::int32_t before = 0;
    UserTable kept;
    ASSERT_TRUE(AddUserRecord(path, before, kept, Triple{"a", "c", "b"}));
    EXPECT_EQ(before, kRecords);
    std::int32_t after = 0;
    UserTable table;
    ASSERT_TRUE(ReadUserDict(path, after, table));
    EXPECT_EQ(after, kRecords + 1);
    EXPECT_EQ(table.back().ru, "a");
}

} // namespace
