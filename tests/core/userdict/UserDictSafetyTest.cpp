// The one file the user cares about: writers killed at any moment, a full disk and two programs adding at
// once must never leave user.dct empty, torn or short of a record that was added.

#include "support/ChildProcess.h"
#include "support/TestSupport.h"

#include "engine/FieldReader.h"
#include "userdict/UserDictFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <sched.h>
#include <set>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
        words.emplace_back(record.ru);
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
        AddUserRecord(path, count, table, Triple{prefix + std::to_string(i), "sv", "en"});
    }
}

TEST(UserDictCrashSafety, WritersKilledAtRandomMomentsLeaveAnOldOrNewCompleteFile)
{
    // Kills go on until enough appends have completed between them, and the moments of the kills spread out
    // while the writers make no progress: a busy machine, where a writer gets little done before its kill,
    // makes the test longer rather than weaker.
    constexpr int kLeastKills = 200;
    constexpr std::size_t kLeastRecords = 21;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
    TempAppDir dir;
    const std::string path = dir.userDict();
    std::mt19937 random(20240607);

    std::vector<std::string> seen;
    int mostLeftovers = 0;
    int longestPause = 6000; // microseconds
    int roundsWithoutProgress = 0;
    int round = 0;
    for (; round < kLeastKills || (seen.size() < kLeastRecords && std::chrono::steady_clock::now() < deadline);
         ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            appendForever(path, "r" + std::to_string(round) + "-");
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, longestPause)(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        std::vector<std::string> words;
        if (!std::filesystem::exists(path) || std::filesystem::file_size(path) == 0) {
            ASSERT_TRUE(seen.empty()) << "user.dct emptied after " << seen.size() << " records, round " << round;
        } else {
            words = completeRecords(readFile(path));
            ASSERT_FALSE(testing::Test::HasFailure()) << "torn file after round " << round;
            ASSERT_GE(words.size(), seen.size()) << "records lost in round " << round;
            ASSERT_TRUE(std::equal(seen.begin(), seen.end(), words.begin())) << "records changed in round " << round;
            mostLeftovers = std::max(mostLeftovers, leftoverTemporaries(dir.path()));
        }
        if (words.size() > seen.size()) {
            roundsWithoutProgress = 0;
        } else if (++roundsWithoutProgress == 10) {
            longestPause = std::min(longestPause * 3 / 2, 500000);
            roundsWithoutProgress = 0;
        }
        if (!words.empty())
            seen = std::move(words);
    }
    std::printf("%d writers killed, %zu records survived, at most %d temporary file(s) left at once\n", round,
                seen.size(), mostLeftovers);
    EXPECT_GE(seen.size(), kLeastRecords) << "the writers hardly ever finished an append: the test proves little";
    // A killed writer may leave its one temporary file; the next writer clears it.
    EXPECT_LE(mostLeftovers, 1);

    std::int32_t count = 0;
    UserTable table;
    ASSERT_TRUE(AddUserRecord(path, count, table, Triple{"last", "sv", "en"}));
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
                result = AddUserRecord(path, count, table, Triple{"a", "c", "b"});
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
                if (!AddUserRecord(path, count, table, Triple{prefix + std::to_string(i), "sv", "en"}))
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

// Forks one writer a path, all at once; each adds `each` records. Returns how many adds were reported done.
int addConcurrently(const std::vector<std::string> &paths, int each, bool unprivileged)
{
    std::vector<pid_t> writers;
    for (std::size_t w = 0; w < paths.size(); ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (unprivileged && !BecomeUnprivileged())
                ::_exit(255);
            int done = 0;
            for (int i = 0; i < each; ++i) {
                std::int32_t count = 0;
                UserTable table;
                done += AddUserRecord(paths[w], count, table,
                                      Triple{"w" + std::to_string(w) + "-" + std::to_string(i), "sv", "en"})
                            ? 1
                            : 0;
            }
            ::_exit(done);
        }
        writers.push_back(pid);
    }
    int done = 0;
    for (pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        done += WIFEXITED(status) ? WEXITSTATUS(status) : 0;
    }
    return done;
}

struct LockCase {
    const char *name;
    // Prepares the folders and returns the user dictionary name each writer is given.
    std::function<std::vector<std::string>(const TempAppDir &dir, const TempAppDir &other)> prepare;
    bool unprivileged;
};

const LockCase kLockCases[] = {
    {"lock_left_by_another_user",
     [](const TempAppDir &dir, const TempAppDir &) {
         ::chmod(dir.path().c_str(), 0777);
         writeFile(dir.userDict() + ".lock", "");
         // Owned by root where the test runs as root; read-only to its owner otherwise.
         ::chmod((dir.userDict() + ".lock").c_str(), ::geteuid() == 0 ? 0644 : 0444);
         return std::vector<std::string>{dir.userDict(), dir.userDict()};
     },
     true},
    {"folder_in_place_of_the_lock",
     [](const TempAppDir &dir, const TempAppDir &) {
         std::filesystem::create_directory(dir.userDict() + ".lock");
         return std::vector<std::string>{dir.userDict(), dir.userDict()};
     },
     false},
    {"two_folders_linking_one_file",
     [](const TempAppDir &dir, const TempAppDir &other) {
         writeFile(dir.userDict(), "");
         std::filesystem::create_symlink(dir.userDict(), other.userDict());
         return std::vector<std::string>{dir.userDict(), other.userDict()};
     },
     false},
};

class UserDictLocking : public testing::TestWithParam<LockCase> {};

TEST_P(UserDictLocking, EveryAddReportedDoneIsKept)
{
    constexpr int kEach = 60;
    TempAppDir dir;
    TempAppDir other;
    const std::vector<std::string> paths = GetParam().prepare(dir, other);
    const int done = addConcurrently(paths, kEach, GetParam().unprivileged);
    EXPECT_EQ(done, 2 * kEach);
    EXPECT_EQ(completeRecords(readFile(dir.userDict())).size(), static_cast<std::size_t>(done));
}

INSTANTIATE_TEST_SUITE_P(Cases, UserDictLocking, testing::ValuesIn(kLockCases),
                         [](const testing::TestParamInfo<LockCase> &param) { return std::string(param.param.name); });

struct RefusalCase {
    const char *name;
    mode_t dictMode;
    mode_t lockMode;
    bool writerIsAnotherUser;
    std::string (*expected)(const std::string &path);
};

class RefusedWriter : public testing::TestWithParam<RefusalCase> {};

// A writer that may not write the file, or cannot lock it, leaves the file alone.
TEST_P(RefusedWriter, ChangesNothing)
{
    const RefusalCase &c = GetParam();
    if (c.writerIsAnotherUser && ::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as another user";
    TempAppDir dir;
    const std::string path = dir.userDict();
    const std::string old = " 1 \r\n" + line("дом", "hus", "house");
    writeFile(path, old);
    writeFile(path + ".lock", "");
    writeFile(path + ".tmp-AbCdEf", "another writer's half-written file");
    ::chmod(dir.path().c_str(), 0777);
    ::chmod(path.c_str(), c.dictMode);
    ::chmod((path + ".lock").c_str(), c.lockMode);
    struct stat before {};
    ::stat(path.c_str(), &before);

    const ChildResult child = RunInChild([&](std::FILE *report) {
        if (c.writerIsAnotherUser && !BecomeUnprivileged())
            return 3;
        std::int32_t count = 0;
        UserTable table;
        const UserDictResult added = AddUserRecord(path, count, table, Triple{"a", "c", "b"});
        const UserDictResult written = WriteUserDict(path, 0, table);
        std::fprintf(report, "%s\n%s", added.error.c_str(), written.error.c_str());
        return added.ok || written.ok ? 1 : 0;
    });
    EXPECT_EQ(child.exitCode, 0);
    const std::string expected = c.expected(path);
    EXPECT_EQ(child.output, expected + "\n" + expected);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
    EXPECT_EQ(readFile(path), old);
    // Under the lock a temporary can only be a killed writer's leftover; without it, it may be in use.
    EXPECT_EQ(std::filesystem::exists(path + ".tmp-AbCdEf"), c.lockMode == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedWriter,
    testing::Values(
        RefusalCase{"no_lock_to_be_had", 0666, 0, true,
                    [](const std::string &path) { return "Cannot lock " + path + ".lock: Permission denied"; }},
        RefusalCase{"read_only_file", 0444, 0666, false,
                    [](const std::string &path) { return "Cannot write " + path + ": Permission denied"; }},
        RefusalCase{"another_users_file", 0644, 0666, true,
                    [](const std::string &path) { return "Cannot write " + path + ": Permission denied"; }}),
    [](const testing::TestParamInfo<RefusalCase> &param) { return std::string(param.param.name); });

// On a medium mounted read-only the message names that, not missing permissions the user could grant.
TEST(UserDictReadOnlyMedium, SaysTheFileSystemIsReadOnly)
{
    TempAppDir dir;
    const std::string path = dir.userDict();
    const ChildResult child = RunInChild([&](std::FILE *report) {
        // A private mount namespace (inside a user namespace where that is all that is allowed) lets the
        // test mount a small file system of its own and make it read-only.
        if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return 2;
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", dir.str().c_str(), "tmpfs", 0, nullptr) != 0)
            return 2;
        writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
        writeFile(path + ".lock", "");
        if (::mount("tmpfs", dir.str().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 2;
        std::int32_t count = 0;
        UserTable table;
        std::fprintf(report, "%s", AddUserRecord(path, count, table, Triple{"a", "c", "b"}).error.c_str());
        return 0;
    });
    if (child.exitCode == 2)
        GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(child.output, "Cannot write " + path + ": Read-only file system");
}

} // namespace
