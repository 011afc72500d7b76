// The file helpers every writer and reader of the program stands on: a replacement that keeps what the file
// was, reads that stop where they must, and folders made private.
#include "base/FileIO.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;
using namespace trelvik;

namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path &path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// A replacement writes the file a link leads to, keeps that file's mode, and leaves no temporary file.
TEST(ReplaceFileAtomically, WritesThroughALinkAndKeepsTheMode)
{
    TempAppDir dir;
    const fs::path target = dir.path() / "words" / "words.txt";
    const fs::path link = dir.path() / "link.txt";
    writeFile(target, "old");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, link);

    std::string error;
    ASSERT_TRUE(ReplaceFileAtomically(link.string(), {"new ", "content"}, error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 1);

    // A link to a file not there yet, through a relative link to its folder, gets its file.
    const fs::path dangling = dir.path() / "dangling.txt";
    fs::create_directory_symlink("words", dir.path() / "folder-link");
    fs::create_symlink("folder-link/new.txt", dangling);
    ASSERT_TRUE(ReplaceFileAtomically(dangling.string(), "first", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(readFile(target.parent_path() / "new.txt"), "first");
}

// Something other than a file in the way is left alone, and no temporary file stays beside it.
TEST(ReplaceFileAtomically, RefusesAFolderInTheFilesPlace)
{
    TempAppDir dir;
    const fs::path path = dir.path() / "data" / "ru";
    std::string error;
    EXPECT_FALSE(ReplaceFileAtomically(path.string(), "bytes", error));
    EXPECT_EQ(error, "Cannot write " + path.string() + ": not a regular file");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 3);
}

struct ReadCase {
    const char *name;
    void (*prepare)(const fs::path &path); // puts something at path, or nothing
    bool createIfMissing;
    ReadStatus status;
    const char *bytes;
    const char *failedTo; // "Cannot <failedTo> <path>: <reason>", or nullptr when nothing fails
    const char *reason;
};

class ReadWholeFileTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadWholeFileTest, ReadsOnlyRegularFiles)
{
    const ReadCase &c = GetParam();
    TempAppDir dir;
    const fs::path path = dir.path() / "file";
    c.prepare(path);
    std::string bytes = "stale";
    std::string error;
    EXPECT_EQ(ReadWholeFile(path.string(), c.createIfMissing, bytes, &error, 5), c.status);
    EXPECT_EQ(bytes, c.bytes);
    EXPECT_EQ(error, c.failedTo ? "Cannot " + std::string(c.failedTo) + " " + path.string() + ": " + c.reason : "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadWholeFileTest,
    ::testing::Values(ReadCase{"missing", [](const fs::path &) {}, false, ReadStatus::Unavailable, "", "open",
                               "No such file or directory"},
                      ReadCase{"missing_is_created_empty", [](const fs::path &) {}, true, ReadStatus::Ok, "", nullptr,
                               ""},
                      ReadCase{"cut_at_max_bytes", [](const fs::path &p) { writeFile(p, "0123456789"); }, false,
                               ReadStatus::Ok, "01234", nullptr, ""},
                      // A named pipe would block the open, and then the read, for as long as no one writes to it.
                      ReadCase{"named_pipe", [](const fs::path &p) { ::mkfifo(p.c_str(), 0600); }, true,
                               ReadStatus::Unavailable, "", "read", "not a regular file"},
                      // Refused before a byte of it is read; the file is a hole, cheap to make.
                      ReadCase{"larger_than_the_limit",
                               [](const fs::path &p) {
                                   writeFile(p, "");
                                   fs::resize_file(p, kMaxDataFileBytes + 1);
                               },
                               false, ReadStatus::Unavailable, "", "read", "the file is too large"},
                      ReadCase{"folder", [](const fs::path &p) { fs::create_directory(p); }, true,
                               ReadStatus::Unavailable, "", "read", "not a regular file"}),
    [](const auto &p) { return std::string(p.param.name); });

// A reader of a file's head stops reading once it has enough, and reads to the end when it never has.
TEST(ReadFileHead, ReadsNoMoreThanItsReaderNeeds)
{
    TempAppDir dir;
    const fs::path path = dir.path() / "big";
    const std::string content(300 * 1024, 'x');
    writeFile(path, content);

    std::string bytes;
    int asked = 0;
    ASSERT_EQ(ReadFileHead(path.string(), false, bytes, [&](std::string_view) { return ++asked == 1; }),
              ReadStatus::Ok);
    EXPECT_EQ(bytes.size(), 64u * 1024);
    ASSERT_EQ(ReadFileHead(path.string(), false, bytes, [](std::string_view) { return false; }), ReadStatus::Ok);
    EXPECT_EQ(bytes, content);
}

// A stream that holds more than its limit fails after handing on what came below it; a taker that has
// enough stops the read early without an error.
TEST(ReadStreamInPieces, StopsAtTheLimitOrWhenTheTakerHasEnough)
{
    TempAppDir dir;
    const fs::path path = dir.path() / "stream";
    writeFile(path, std::string(600 * 1024, 'y'));

    for (const bool stopEarly : {false, true}) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::size_t taken = 0;
        std::string error;
        const ReadStatus status = ReadStreamInPieces(
            fd, "standard input", 512 * 1024,
            [&](std::string_view piece) {
                taken += piece.size();
                return !stopEarly;
            },
            &error);
        ::close(fd);
        EXPECT_EQ(status, stopEarly ? ReadStatus::Ok : ReadStatus::Unavailable);
        EXPECT_EQ(error, stopEarly ? "" : "Cannot read standard input: it holds more than 524288 bytes");
        EXPECT_LE(taken, 512u * 1024);
        EXPECT_GT(taken, 0u);
    }
}

// New folders hold the user's words: they are private. A file where a folder should be is named.
TEST(EnsureFolderOf, MakesPrivateFoldersAndNamesAFileInTheWay)
{
    TempAppDir dir;
    std::string error;
    ASSERT_TRUE(EnsureFolderOf(dir.str() + "/a/b/user.dct", error)) << error;
    EXPECT_EQ(modeOf(dir.path() / "a"), 0700u);
    EXPECT_EQ(modeOf(dir.path() / "a" / "b"), 0700u);

    writeFile(dir.path() / "file", "");
    EXPECT_FALSE(EnsureFolderOf(dir.str() + "/file/sub/user.dct", error));
    EXPECT_EQ(error, "Cannot create folder " + dir.str() + "/file/sub: Not a directory");
}

// Only the names a replacement gives its temporary files are cleaned away, never a file that merely starts
// the same way; and the cleaner that may run at any time leaves the file of a writer at work (it holds a
// lock on it), while the one that runs under the writers' lock knows that no such writer exists.
TEST(RemoveTemporaries, RemoveOnlyTheLeftoversOfReplacements)
{
    for (const bool anyTime : {false, true}) {
        TempAppDir dir;
        const std::string path = dir.str() + "/user.dct";
        for (const char *name : {"user.dct.tmp-AbCdEf", "user.dct.tmp-InWork", "user.dct.tmp-AbCdEfG",
                                 "user.dct.tmp-Ab", "user.dct.bak", "other.dct.tmp-AbCdEf"})
            writeFile(dir.path() / name, "");
        const int inWork = ::open((dir.path() / "user.dct.tmp-InWork").c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(inWork, LOCK_EX), 0);
        if (anyTime)
            RemoveAbandonedTemporaries(path);
        else
            RemoveStaleTemporaries(path);
        ::close(inWork);
        EXPECT_FALSE(fs::exists(dir.path() / "user.dct.tmp-AbCdEf"));
        EXPECT_EQ(fs::exists(dir.path() / "user.dct.tmp-InWork"), anyTime);
        for (const char *name : {"user.dct.tmp-AbCdEfG", "user.dct.tmp-Ab", "user.dct.bak", "other.dct.tmp-AbCdEf"})
            EXPECT_TRUE(fs::exists(dir.path() / name)) << name;
    }
}

} // namespace
