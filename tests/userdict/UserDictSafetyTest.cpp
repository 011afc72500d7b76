// The one file the user cares about: writers killed at any moment, a full disk and two programs adding at
// once must never leave user.dct empty, torn or short of a record that was added.

#include "support/ChildProcess.h"
#include "support/TestSupport.h"

#include "engine/FieldReader.h"
#include "userdict/UserDictFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <sys/resource.h>
#include <vector>

using namespace testsupport;
using namespace trelvik;

namespace {

// Parses a user dictionary strictly as the writer writes it; returns the Russian words, or fails the
// test when the file is torn.
std::vector<std::string> completeRecords(const std::string &bytes)
{
    std::vector<std::string> words;
    FieldReader reader(bytes);
    std::int32_t count = -1;
    EXPECT_TRUE(ParseRecordCount(reader.next(), count)) << "count line missing";
    RecordView record;
    while (!reader.atEnd()) {
        EXPECT_EQ(reader.nextRecord(record), 3) << "torn record";
        words.emplace_back(record[0]);
    }
    EXPECT_EQ(static_cast<std::size_t>(count), words.size()) << "count line disagrees with the records";
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "file does not end with a whole line";
    return words;
}

int leftoverTemporaries(const std::filesystem::path &folder)
{
    int n = 0;
    for (const auto &item : std::filesystem::directory_iterator(folder))
        n += item.path().filename().string().rfind("user.dct.tmp-", 0) == 0 ? 1 : 0;
    return n;
}

[[noreturn]] void appendForever(const std::string &path, const std::string &prefix)
{
    for (int i = 0;; ++i) {
        std::int32_t count = 0;
        UserTable table;
        AddUserRecord(path, count, table, prefix + std::to_string(i), "en", "sv");
    }
}

TEST(UserDictCrashSafety, WritersKilledAtRandomMomentsLeaveAnOldOrNewCompleteFile)
{
    constexpr int kKills = 200;
    TempAppDir dir;
    const std::string path = dir.userDict();
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> pauseMicros(0, 6000);

    std::vector<std::string> seen;
    int mostLeftovers = 0;
    for (int round = 0; round < kKills; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            appendForever(path, "r" + std::to_string(round) + "-");
        ::usleep(static_cast<useconds_t>(pauseMicros(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        if (!std::filesystem::exists(path) || std::filesystem::file_size(path) == 0) {
            ASSERT_TRUE(seen.empty()) << "user.dct emptied after " << seen.size() << " records, round " << round;
            continue;
        }
        const std::vector<std::string> words = completeRecords(readFile(path));
        ASSERT_FALSE(testing::Test::HasFailure()) << "torn file after round " << round;
        ASSERT_GE(words.size(), seen.size()) << "records lost in round " << round;
        ASSERT_TRUE(std::equal(seen.begin(), seen.end(), words.begin())) << "records changed in round " << round;
        seen = words;
        mostLeftovers = std::max(mostLeftovers, leftoverTemporaries(dir.path()));
    }
    std::printf("%d writers killed, %zu records survived, at most %d temporary file(s) left at once\n", kKills,
                seen.size(), mostLeftovers);
    EXPECT_GT(seen.size(), 20u) << "the writers hardly ever finished an append: the test proves little";
    // A killed writer may leave its one temporary file; the next writer clears it.
    EXPECT_LE(mostLeftovers, 1);

    std::int32_t count = 0;
    UserTable table;
    ASSERT_TRUE(AddUserRecord(path, count, table, "last", "en", "sv"));
    EXPECT_EQ(static_cast<std::size_t>(count), seen.size());
    EXPECT_EQ(leftoverTemporaries(dir.path()), 0);
}

// The write is cut short by a file-size limit, as by a full disk.
TEST(UserDictCrashSafety, FullDiskKeepsTheOldFileAndReportsTheError)
{
    TempAppDir dir;
    const std::string path = dir.userDict();
    std::string old = " 40 \r\n";
    for (int i = 0; i < 40; ++i)
        old += line("слово" + std::to_string(i), "ord", "word");
    writeFile(path, old);

    for (const bool whole : {false, true}) {
        const ChildResult child = RunInChild([&](std::FILE *report) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::int32_t count = 0;
            UserTable table;
            UserDictResult result;
            if (whole) {
                ReadUserDict(path, count, table);
                result = WriteUserDict(path, count, table);
            } else {
                result = AddUserRecord(path, count, table, "a", "b", "c");
            }
            std::fputs(result.error.c_str(), report);
            return result.ok ? 1 : 0;
        });
        EXPECT_EQ(child.exitCode, 0) << (whole ? "WriteUserDict" : "AddUserRecord") << " reported success";
        EXPECT_EQ(child.output, "Cannot write " + path + ": File too large");
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(leftoverTemporaries(dir.path()), 0);
    }
}

TEST(UserDictConcurrency, TwoProgramsAddingAtOnceLoseNoRecord)
{
    constexpr int kEach = 150;
    TempAppDir dir;
    const std::string path = dir.userDict();
    std::vector<pid_t> writers;
    for (const char *prefix : {"a", "b"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int i = 0; i < kEach; ++i) {
                std::int32_t count = 0;
                UserTable table;
                if (!AddUserRecord(path, count, table, prefix + std::to_string(i), "en", "sv"))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const std::vector<std::string> words = completeRecords(readFile(path));
    ASSERT_EQ(words.size(), 2u * kEach);
    const std::set<std::string> distinct(words.begin(), words.end());
    EXPECT_EQ(distinct.size(), words.size());
    // Each program's records keep the order in which it added them.
    for (const char *prefix : {"a", "b"}) {
        int next = 0;
        for (const std::string &word : words) {
            if (word.rfind(prefix, 0) == 0) {
                EXPECT_EQ(word, prefix + std::to_string(next++));
            }
        }
        EXPECT_EQ(next, kEach);
    }
}

} // namespace
