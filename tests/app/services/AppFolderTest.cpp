// Where the user's words live: beside a portable copy, in the user's data folder for an installed one or a
// copy on a read-only medium, and what happens when that data folder is not there yet or is a file.
#include "services/AppFolder.h"

#include "support/ChildProcess.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>

using namespace testsupport;
using namespace trelvik;

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back after it.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const std::optional<std::string> &value) : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char *m_name;
    std::optional<std::string> m_old;
};

struct DataFolderCase {
    const char *name;
    std::optional<std::string> xdgDataHome;
    const char *expected; // below HOME=/home/u
};

class UserDataFolderTest : public ::testing::TestWithParam<DataFolderCase> {};

TEST_P(UserDataFolderTest, FollowsXdgDataHomeWhereItIsValid)
{
    const ScopedEnv home("HOME", std::string("/home/u"));
    const ScopedEnv xdg("XDG_DATA_HOME", GetParam().xdgDataHome);
    EXPECT_EQ(UserDataFolder(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserDataFolderTest,
                         ::testing::Values(DataFolderCase{"absolute", std::string("/data//"), "/data/trelvik"},
                                           DataFolderCase{"empty", std::string(), "/home/u/.local/share/trelvik"},
                                           DataFolderCase{"unset", std::nullopt, "/home/u/.local/share/trelvik"}),
                         [](const auto &p) { return std::string(p.param.name); });

struct PlaceCase {
    const char *name;
    bool installed;    // the folder carries the installed-copy marker
    bool readOnly;     // the folder cannot be written (a portable copy on a read-only medium)
    bool besideExists; // user.dct beside the program
    bool ownExists;    // user.dct in the user's data folder
    bool beside;       // the one used is the one beside the program
};

class UserDictionaryPathTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(UserDictionaryPathTest, PicksTheCopyWhoseWordsTheUserMeans)
{
    const PlaceCase &c = GetParam();
    TempAppDir app;
    TempAppDir data;
    const std::string own = data.str() + "/trelvik/user.dct";
    if (c.installed)
        writeFile(app.path() / kInstalledMarker, "");
    if (c.besideExists)
        writeFile(app.userDict(), " 0 \r\n");
    if (c.ownExists)
        writeFile(own, " 0 \r\n");
    ::chmod(app.path().c_str(), c.readOnly ? 0555 : 0777);
    ::chmod(data.path().c_str(), 0755);
    const ScopedEnv xdg("XDG_DATA_HOME", data.str());

    const ChildResult child = RunInChild([&](std::FILE *report) {
        if (!BecomeUnprivileged())
            return 2;
        std::fputs(UserDictionaryPath(app.str() + "/").c_str(), report);
        return 0;
    });
    ASSERT_EQ(child.exitCode, 0);
    EXPECT_EQ(child.output, c.beside ? app.userDict() : own);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserDictionaryPathTest,
                         ::testing::Values(PlaceCase{"portable", false, false, false, true, true},
                                           PlaceCase{"installed_and_writable", true, false, true, false, false},
                                           // Its words stay findable until the first add copies them over.
                                           PlaceCase{"read_only_with_words", false, true, true, false, true},
                                           PlaceCase{"read_only_after_first_add", false, true, true, true, false},
                                           PlaceCase{"read_only_without_words", false, true, false, false, false}),
                         [](const auto &p) { return std::string(p.param.name); });

struct MoveCase {
    const char *name;
    void (*prepare)(const fs::path &dataHome); // what is at $XDG_DATA_HOME before the add
    bool moved;
};

class UseWritableUserDictionaryTest : public ::testing::TestWithParam<MoveCase> {};

// Before the first add on a read-only medium the words move to a data folder made for them, private to the
// user; a file in that folder's place is named, and the words stay where they are.
TEST_P(UseWritableUserDictionaryTest, MovesTheWordsOnlyWhereTheyCanGo)
{
    const MoveCase &c = GetParam();
    TempAppDir app;
    TempAppDir home;
    const fs::path dataHome = home.path() / "share";
    const std::string own = dataHome.string() + "/trelvik/user.dct";
    const std::string words = " 1 \r\n" + line("дом", "hus", "house");
    writeFile(app.userDict(), words);
    ::chmod(app.path().c_str(), 0555);
    ::chmod(home.path().c_str(), 0777);
    c.prepare(dataHome);
    const ScopedEnv xdg("XDG_DATA_HOME", dataHome.string());

    const ChildResult child = RunInChild([&](std::FILE *report) {
        if (!BecomeUnprivileged())
            return 2;
        std::string path = app.userDict();
        std::string note;
        const UserDictResult result = UseWritableUserDictionary(path, note);
        std::fprintf(report, "%d\n%s\n%s\n%s", result.ok ? 1 : 0, path.c_str(), note.c_str(), result.error.c_str());
        return 0;
    });
    ASSERT_EQ(child.exitCode, 0);
    if (c.moved) {
        EXPECT_EQ(child.output, "1\n" + own + "\nThe words of " + app.userDict() + " were copied to " + own
                                    + ", where new words are added from now on.\n");
        EXPECT_EQ(readFile(own), words);
        struct stat st {};
        ::stat(fs::path(own).parent_path().c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    } else {
        EXPECT_EQ(child.output, "0\n" + app.userDict() + "\n\nCannot lock " + own + ".lock: Not a directory");
    }
    EXPECT_EQ(readFile(app.userDict()), words);
}

INSTANTIATE_TEST_SUITE_P(Cases, UseWritableUserDictionaryTest,
                         ::testing::Values(MoveCase{"data_folder_not_there_yet", [](const fs::path &) {}, true},
                                           MoveCase{"file_in_the_data_folders_place",
                                                    [](const fs::path &dataHome) {
                                                        writeFile(dataHome / "trelvik", "");
                                                        ::chmod(dataHome.c_str(), 0777);
                                                    },
                                                    false}),
                         [](const auto &p) { return std::string(p.param.name); });

} // namespace
