// trelvik-cli where the installation, the output or the environment lets it down: every failure exits with
// 1 and a message that names the cause, and the user's words stay where they can be found.

#include "CliRunner.h"
#include "support/ChildProcess.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using testsupport::CliRun;
using testsupport::line;
using testsupport::readFile;
using testsupport::runCli;
using testsupport::TempAppDir;
using testsupport::writeFile;

namespace {

// Root may write anything, so checks of permissions run the program as an unprivileged user.
void becomeUnprivileged()
{
    if (!testsupport::BecomeUnprivileged())
        ::_exit(126);
}

class CliSafetyTest : public ::testing::Test {
protected:
    void SetUp() override { dir.putVolume("sv", "mSAE1", line("яблоко", "äpple", "apple")); }
    std::vector<std::string> withDir(std::vector<std::string> args, const std::string &appDir = {})
    {
        args.insert(args.begin(), {"--app-dir", appDir.empty() ? dir.str() : appDir});
        return args;
    }

    TempAppDir dir;
};

enum class Output { Full, Closed, PipeWithoutReader };

struct OutputCase {
    const char *name;
    std::vector<std::string> args;
    std::string input;
    Output output;
    const char *reason;
    int exitCode = 1; // 3: the words were stored, and a script must not store them again
};

class CliOutputError : public CliSafetyTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(CliOutputError, ExitsWithOneAndSaysWhy)
{
    const OutputCase &c = GetParam();
    const CliRun run = runCli(withDir(c.args), c.input, [&c] {
        if (c.output == Output::Closed) {
            ::close(1);
        } else if (c.output == Output::Full) {
            ::dup2(::open("/dev/full", O_WRONLY), 1);
        } else {
            int fds[2];
            if (::pipe(fds) != 0)
                ::_exit(125);
            ::close(fds[0]);
            ::dup2(fds[1], 1);
        }
    });
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.err, std::string("trelvik-cli: Cannot write to standard output: ") + c.reason + "\n");
    EXPECT_EQ(readFile(dir.userDict()).find("katt") != std::string::npos, c.exitCode == 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliOutputError,
    ::testing::Values(
        OutputCase{"count", {"count"}, "", Output::Full, "No space left on device"},
        OutputCase{"lookup", {"lookup", "sv", "ru", "äpple"}, "", Output::Full, "No space left on device"},
        OutputCase{"batch_lookup", {"lookup", "sv", "ru"}, "äpple\näpple\n", Output::Full, "No space left on device"},
        OutputCase{"count_to_closed_output", {"count"}, "", Output::Closed, "Bad file descriptor"},
        OutputCase{"export_to_a_reader_gone", {"export"}, "", Output::PipeWithoutReader, "Broken pipe"},
        OutputCase{"add_stored_unconfirmed",
                   {"add", "кот", "cat", "katt"},
                   "",
                   Output::Full,
                   "No space left on device (the words were stored)",
                   3},
        OutputCase{"import_stored_unconfirmed",
                   {"import", "-"},
                   "кот,katt,cat\n",
                   Output::PipeWithoutReader,
                   "Broken pipe (the words were stored)",
                   3}),
    [](const auto &p) { return std::string(p.param.name); });

struct BrokenCase {
    const char *name;
    // Breaks the installation in dir and returns the application folder to name.
    std::function<std::string(const TempAppDir &dir)> breakIt;
    const char *missing; // what the message names, below the application folder
};

class CliBrokenInstallation : public CliSafetyTest, public ::testing::WithParamInterface<BrokenCase> {};

// Looking up in no dictionary is no "not present", and writes nothing; the user's words stay reachable.
TEST_P(CliBrokenInstallation, LookupIsADataErrorButTheWordsCanBeTakenOut)
{
    const std::string appDir = GetParam().breakIt(dir);
    const CliRun run = runCli(withDir({"lookup", "sv", "ru", "äpple"}, appDir));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "trelvik-cli: no dictionary in " + appDir + ": " + appDir + GetParam().missing + " is not a folder\n");
    EXPECT_FALSE(std::filesystem::exists(appDir + "/user.dct"));

    writeFile(appDir + "/user.dct", " 1 \r\n" + line("кот", "katt", "cat"));
    EXPECT_EQ(runCli(withDir({"count"}, appDir)).out, "1 word(s)\n");
    EXPECT_EQ(runCli(withDir({"export", "--format", "tsv"}, appDir)).out,
              "russian\tswedish\tenglish\nкот\tkatt\tcat\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, CliBrokenInstallation,
                         ::testing::Values(BrokenCase{"no_data_folder",
                                                      [](const TempAppDir &dir) {
                                                          std::filesystem::remove_all(dir.path() / "data");
                                                          return dir.str();
                                                      },
                                                      "/data/ru"},
                                           BrokenCase{"language_folder_is_a_file",
                                                      [](const TempAppDir &dir) {
                                                          std::filesystem::remove_all(dir.path() / "data" / "sv");
                                                          writeFile(dir.path() / "data" / "sv", "");
                                                          return dir.str();
                                                      },
                                                      "/data/sv"},
                                           BrokenCase{"app_dir_without_data",
                                                      [](const TempAppDir &dir) {
                                                          std::filesystem::create_directory(dir.path() / "elsewhere");
                                                          return (dir.path() / "elsewhere").string();
                                                      },
                                                      "/data/ru"}),
                         [](const auto &p) { return std::string(p.param.name); });

TEST_F(CliSafetyTest, FileSizeLimitIsReportedLikeAFullDisk)
{
    std::string old = " 40 \r\n";
    for (int i = 0; i < 40; ++i)
        old += line("слово" + std::to_string(i), "ord", "word");
    writeFile(dir.userDict(), old);
    const CliRun run = runCli(withDir({"add", "кот", "cat", "katt"}), {}, [] {
        const rlimit limit{512, 512};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(run.exitCode, 1) << "a signal ended it";
    EXPECT_EQ(run.err, "trelvik-cli: Cannot write " + dir.userDict() + ": File too large\n");
    EXPECT_EQ(readFile(dir.userDict()), old);
}

// A line that cannot be looked up still gets its answer, so that answers and lines stay in step.
TEST_F(CliSafetyTest, BatchLookupAnswersEveryLineInItsPlace)
{
    const std::string input = "äpple\nkattж\n\xFF\xFE\näpple\n";
    const std::string found = "яблоко\nStat: Translate complete.\n";
    const std::string unfit = "\"kattж\": The character \u201Cж\u201D (U+0436) cannot be written in Windows-1252.";
    const std::string notUtf8 = "\"\uFFFD\uFFFD\": The text is not valid UTF-8.";
    const CliRun text = runCli(withDir({"lookup", "sv", "ru"}), input);
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.out, found + "Error: " + unfit + "\nError: " + notUtf8 + "\n" + found);

    const CliRun json = runCli(withDir({"lookup", "--json", "sv", "ru"}), input);
    const std::string answer =
        "{\"nearest\":[],\"status\":\"Stat: Translate complete.\",\"translation\":\"яблоко\",\"word\":\"äpple\"}\n";
    EXPECT_EQ(json.out, answer
                            + "{\"error\":\"The character \u201Cж\u201D (U+0436) cannot be written in "
                              "Windows-1252.\",\"word\":\"kattж\"}\n"
                            + "{\"error\":\"The text is not valid UTF-8.\",\"word\":\"\uFFFD\uFFFD\"}\n" + answer);

    const CliRun add = runCli(withDir({"add", "кот", "c\xFFt", "katt"}));
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_EQ(add.err, "trelvik-cli: \"c\uFFFDt\": The text is not valid UTF-8.\n");
}

struct DataFolderCase {
    const char *name;
    std::function<void(const std::string &scratch)> environment;   // runs in the child
    std::function<std::string(const std::string &scratch)> folder; // the folder the message names
};

class CliUserDataFolder : public CliSafetyTest, public ::testing::WithParamInterface<DataFolderCase> {};

// An installed copy keeps the user dictionary in the user's data folder; when that cannot be made, the
// message says so rather than that some file does not exist.
TEST_P(CliUserDataFolder, NamesTheFolderThatCannotBeMade)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as an unprivileged user";
    TempAppDir scratch;
    ::chmod(scratch.path().c_str(), 0555);
    ::chmod(dir.path().c_str(), 0755);
    writeFile(dir.path() / "installed-copy", "");
    const CliRun run = runCli(withDir({"count"}), {}, [&] {
        GetParam().environment(scratch.str());
        becomeUnprivileged();
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "trelvik-cli: Cannot create folder " + GetParam().folder(scratch.str()) + ": Permission denied\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUserDataFolder,
    ::testing::Values(DataFolderCase{"xdg_data_home_read_only",
                                     [](const std::string &scratch) { ::setenv("XDG_DATA_HOME", scratch.c_str(), 1); },
                                     [](const std::string &scratch) { return scratch + "/trelvik"; }},
                      // Without HOME, the home that the password database gives the unprivileged user.
                      DataFolderCase{"home_unset",
                                     [](const std::string &) {
                                         ::unsetenv("XDG_DATA_HOME");
                                         ::unsetenv("HOME");
                                     },
                                     [](const std::string &) { return std::string("/nonexistent"); }}),
    [](const auto &p) { return std::string(p.param.name); });

TEST_F(CliSafetyTest, RelativeXdgDataHomeIsIgnored)
{
    TempAppDir home;
    writeFile(dir.path() / "installed-copy", "");
    const CliRun run = runCli(withDir({"add", "кот", "cat", "katt"}), {}, [&] {
        ::setenv("HOME", home.str().c_str(), 1);
        ::setenv("XDG_DATA_HOME", "relative/data", 1);
        ::chdir(home.str().c_str());
    });
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(home.path() / ".local/share/trelvik/user.dct"));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "relative"));
}

// Memory that runs out is a message and exit status 1, never an abort.
TEST_F(CliSafetyTest, RunningOutOfMemoryIsAnError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
    std::string big = " 500000 \r\n";
    for (int i = 0; i < 500000; ++i)
        big += "\"w" + std::to_string(i) + "\",\"ord\",\"word\"\r\n";
    writeFile(dir.userDict(), big);
    const CliRun run = runCli(withDir({"import", "--dry-run", "-"}), "кот,katt,cat\n", [] {
        const rlimit limit{100 << 20, 100 << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "trelvik-cli: Out of memory.\n");
}

// A fresh installation, whose data folder is not there yet, takes words from a list and gives them back; a
// refused list creates nothing.
TEST_F(CliSafetyTest, ImportAndExportOnANewMachine)
{
    TempAppDir home;
    writeFile(dir.path() / "installed-copy", "");
    writeFile(home.path() / "bad.csv", "russian,swedish,english\nкот,katt\n");
    writeFile(home.path() / "words.csv", "russian,swedish,english\nкот,katt,cat\n");
    const auto inHome = [&] {
        ::setenv("HOME", home.str().c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
    };
    const std::string dataFolder = home.str() + "/.local/share/trelvik";

    EXPECT_EQ(runCli(withDir({"export", "--format", "tsv"}), {}, inHome).out, "russian\tswedish\tenglish\n");
    const CliRun refused = runCli(withDir({"import", home.str() + "/bad.csv"}), {}, inHome);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dataFolder)) << "nothing is created by a refused import or an export";

    const CliRun imported = runCli(withDir({"import", home.str() + "/words.csv"}), {}, inHome);
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, "1 added, 0 already present\n");
    EXPECT_EQ(readFile(dataFolder + "/user.dct"), " 1 \r\n" + line("кот", "katt", "cat"));
}

// An export killed before its rename leaves its temporary file behind; the next export removes it, but not
// the temporary file of an export still at work, which holds a lock on it.
TEST_F(CliSafetyTest, ExportRemovesTheLeftoversOfAKilledExport)
{
    const std::string list = dir.str() + "/words.csv";
    writeFile(list + ".tmp-AbCdEf", "half a list");
    writeFile(list + ".tmp-InWork", "another export at work");
    const int busy = ::open((list + ".tmp-InWork").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    EXPECT_EQ(runCli(withDir({"export", list})).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(list + ".tmp-AbCdEf"));
    EXPECT_TRUE(std::filesystem::exists(list + ".tmp-InWork"));
    ::close(busy);
}

// A portable copy whose folder cannot be written, run by an unprivileged user whose home is `home`.
class CliReadOnlyCopy : public CliSafetyTest {
protected:
    void portableCopyOnReadOnlyMedium(const std::string &beside)
    {
        writeFile(dir.userDict(), beside);
        ::chmod(home.path().c_str(), 0777);
        ::chmod(dir.path().c_str(), 0555);
    }

    // The unprivileged user's data folder holds a user dictionary already.
    void dataFolderDictionary(const std::string &content)
    {
        const std::filesystem::path own = copy;
        std::filesystem::create_directories(own.parent_path());
        writeFile(own, content);
        for (const std::filesystem::path &p :
             {own.parent_path(), own.parent_path().parent_path(), own.parent_path().parent_path().parent_path(), own})
            ::chmod(p.c_str(), 0777);
    }

    TempAppDir home;
    const std::string copy = home.str() + "/.local/share/trelvik/user.dct";
    const std::function<void()> asUser = [this] {
        ::setenv("HOME", home.str().c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        becomeUnprivileged();
    };
};

// A portable copy on a read-only medium: the words beside the program are found, and the first add copies
// them to the user's data folder, says so once, and adds there.
TEST_F(CliReadOnlyCopy, WordsBesideAProgramInAReadOnlyFolderStayFindable)
{
    const std::string beside = " 1 \r\n" + line("кошка", "misse", "pussycat");
    portableCopyOnReadOnlyMedium(beside);

    EXPECT_EQ(runCli(withDir({"count"}), {}, asUser).out, "1 word(s)\n");
    EXPECT_EQ(runCli(withDir({"lookup", "ru", "sv", "кошка"}), {}, asUser).out.substr(0, 6), "misse\n");
    const CliRun first = runCli(withDir({"add", "кот", "cat", "katt"}), {}, asUser);
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "Words is added. Record #2\n");
    EXPECT_EQ(first.err, "trelvik-cli: The words of " + dir.userDict() + " were copied to " + copy
                             + ", where new words are added from now on.\n");
    const CliRun second = runCli(withDir({"add", "пёс", "dog", "hund"}), {}, asUser);
    EXPECT_EQ(second.out, "Words is added. Record #3\n");
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(runCli(withDir({"lookup", "ru", "sv", "кошка"}), {}, asUser).out.substr(0, 6), "misse\n");
    EXPECT_EQ(readFile(dir.userDict()), beside);
    EXPECT_EQ(readFile(copy),
              " 3 \r\n" + line("кошка", "misse", "pussycat") + line("кот", "katt", "cat") + line("пёс", "hund", "dog"));
}

// A refused add moves nothing; the first import, like the first add, moves the words to the data folder.
TEST_F(CliReadOnlyCopy, OnlyAWriteMovesWordsOutOfAReadOnlyFolder)
{
    const std::string beside = " 1 \r\n" + line("кошка", "misse", "pussycat");
    portableCopyOnReadOnlyMedium(beside);

    const CliRun refused = runCli(withDir({"add", "", "x", "y"}), {}, asUser);
    EXPECT_EQ(refused.err, "trelvik-cli: ERROR: enter words first\n");
    EXPECT_FALSE(std::filesystem::exists(copy));
    const CliRun imported = runCli(withDir({"import", "-"}), "кот\tkatt\tcat\n", asUser);
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, "1 added, 0 already present\n");
    EXPECT_EQ(imported.err, "trelvik-cli: The words of " + dir.userDict() + " were copied to " + copy
                                + ", where new words are added from now on.\n");
    EXPECT_EQ(readFile(copy), " 2 \r\n" + line("кошка", "misse", "pussycat") + line("кот", "katt", "cat"));
}

// File names are bytes: a folder whose name is not UTF-8 is used as it is.
TEST_F(CliSafetyTest, FolderNameThatIsNotUtf8)
{
    const std::string appDir = dir.str() + "/caf\xE9";
    std::filesystem::create_directories(appDir);
    std::filesystem::rename(dir.path() / "data", appDir + "/data");
    EXPECT_EQ(runCli(withDir({"lookup", "sv", "ru", "äpple"}, appDir)).out, "яблоко\nStat: Translate complete.\n");
    EXPECT_EQ(runCli(withDir({"add", "кот", "cat", "katt"}, appDir)).exitCode, 0);
    EXPECT_EQ(readFile(appDir + "/user.dct"), " 1 \r\n" + line("кот", "katt", "cat"));

    const std::string list = appDir + "/ord\xF6.tsv";
    EXPECT_EQ(runCli(withDir({"export", list}, appDir)).exitCode, 0);
    EXPECT_EQ(readFile(list), "russian\tswedish\tenglish\nкот\tkatt\tcat\n");
    const std::string dry = runCli(withDir({"import", "--dry-run", list}, appDir)).out;
    EXPECT_EQ(dry.substr(dry.find(".tsv:")), ".tsv:2: already present \"кот\", \"katt\", \"cat\"\n"
                                             "Dry run: 0 would be added, 1 already present; nothing was written.\n");
}

// The user's data folder already has a dictionary: the words beside the read-only program that it lacks
// join it, said once, and are found from then on.
TEST_F(CliReadOnlyCopy, WordsBesideAReadOnlyProgramJoinAnExistingDataFolderDictionary)
{
    const std::string beside = " 2 \r\n" + line("кошка", "misse", "pussycat") + line("кот", "katt", "cat");
    const std::filesystem::path own = copy;
    dataFolderDictionary(" 1 \r\n" + line("кот", "katt", "cat"));
    portableCopyOnReadOnlyMedium(beside);

    const CliRun first = runCli(withDir({"count"}), {}, asUser);
    EXPECT_EQ(first.out, "2 word(s)\n");
    EXPECT_EQ(first.err, "trelvik-cli: The words of " + dir.userDict() + " were added to " + own.string()
                             + ", where new words are added from now on.\n");
    const CliRun second = runCli(withDir({"lookup", "ru", "sv", "кошка"}), {}, asUser);
    EXPECT_EQ(second.out.substr(0, 6), "misse\n");
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(readFile(own), " 2 \r\n" + line("кот", "katt", "cat") + line("кошка", "misse", "pussycat"));
    EXPECT_EQ(readFile(dir.userDict()), beside);
}

// The words beside a read-only program are joined once: a word the user then deletes stays deleted. A dry
// run writes nothing, not even that join.
TEST_F(CliReadOnlyCopy, DeletedWordsStayDeleted)
{
    const std::filesystem::path own = copy;
    dataFolderDictionary(" 1 \r\n" + line("кот", "katt", "cat"));
    portableCopyOnReadOnlyMedium(" 1 \r\n" + line("кошка", "misse", "pussycat"));

    const CliRun dry = runCli(withDir({"import", "--dry-run", "-"}), "пёс,hund,dog\n", asUser);
    EXPECT_EQ(dry.err, "");
    EXPECT_EQ(readFile(own), " 1 \r\n" + line("кот", "katt", "cat"));

    EXPECT_EQ(runCli(withDir({"count"}), {}, asUser).out, "2 word(s)\n");
    writeFile(own, " 1 \r\n" + line("кот", "katt", "cat"));
    const CliRun later = runCli(withDir({"count"}), {}, asUser);
    EXPECT_EQ(later.out, "1 word(s)\n");
    EXPECT_EQ(later.err, "");
}

// Whether text holds a control character other than the line ends and tabs of the output's own layout.
bool holdsControl(const std::string &utf8)
{
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F
            || (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F))
            return true;
    }
    return false;
}

// Words stored before control characters were refused, and the reasons an import gives, reach the terminal
// with their control characters shown, not obeyed.
TEST_F(CliSafetyTest, ControlCharactersInWordsAreShownNotObeyed)
{
    writeFile(dir.userDict(), " 1 \r\n" + line("кот", "katt\x1B]0;PWNED\x07", "cat\x7F"));
    const CliRun text = runCli(withDir({"lookup", "ru", "sv", "кот"}));
    EXPECT_EQ(text.out, "katt\\u001B]0;PWNED\\u0007\nStat: Translate complete.\n");
    const CliRun json = runCli(withDir({"lookup", "--json", "ru", "en", "кот"}));
    EXPECT_NE(json.out.find("\"translation\":\"cat\\u007F\""), std::string::npos) << json.out;

    const CliRun dry = runCli(withDir({"import", "--dry-run", "-"}), "пёс\thund\u009B\tdog\n");
    EXPECT_EQ(dry.exitCode, 1);
    EXPECT_NE(dry.err.find("(standard input):1: ERROR: words cannot hold a control character (swedish): The control "
                           "character U+009B cannot be stored."),
              std::string::npos)
        << dry.err;
    for (const CliRun &run : {text, json, dry})
        EXPECT_FALSE(holdsControl(run.out + run.err)) << run.out << run.err;
}

// A record that holds a control character (stored before they were refused) is named, shown safe, and left
// out of an export, since import would refuse it.
TEST_F(CliSafetyTest, ExportLeavesOutAndNamesControlCharacters)
{
    writeFile(dir.userDict(), " 1 \r\n" + line("кот", "katt\x1B[2J", "cat"));
    const CliRun run = runCli(withDir({"export", "--format", "tsv"}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "russian\tswedish\tenglish\n");
    EXPECT_NE(run.err.find("\"katt\\u001B[2J\""), std::string::npos) << run.err;
    EXPECT_FALSE(holdsControl(run.out + run.err)) << run.err;
}

struct UnreadableCase {
    const char *name;
    std::function<void(const std::string &userDict)> make;
    const char *why; // what is said, with P for the user dictionary's name
};

class CliUnreadableUserDict : public CliSafetyTest, public ::testing::WithParamInterface<UnreadableCase> {};

// A user dictionary that is there but cannot be read would make every word the user added "not present".
TEST_P(CliUnreadableUserDict, LookupSaysSoOnceAndAnswersNothing)
{
    GetParam().make(dir.userDict());
    std::string why = GetParam().why;
    why.replace(why.find('P'), 1, dir.userDict());

    const CliRun one = runCli(withDir({"lookup", "sv", "ru", "äpple"}));
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.out, "");
    EXPECT_EQ(one.err, "trelvik-cli: " + why + "\n");
    const CliRun batch = runCli(withDir({"lookup", "sv", "ru"}), "äpple\näpple\n");
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.out, "Error: \"äpple\": " + why + "\nError: \"äpple\": " + why + "\n");
    EXPECT_EQ(batch.err, one.err);
    EXPECT_EQ(runCli(withDir({"lookup", "--no-user-dict", "sv", "ru", "äpple"})).exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUnreadableUserDict,
    ::testing::Values(UnreadableCase{"folder", [](const std::string &p) { std::filesystem::create_directory(p); },
                                     "The user dictionary cannot be read: Cannot read P: not a regular file"},
                      UnreadableCase{"named_pipe", [](const std::string &p) { ::mkfifo(p.c_str(), 0600); },
                                     "The user dictionary cannot be read: Cannot read P: not a regular file"},
                      UnreadableCase{"first_line_no_count", [](const std::string &p) { writeFile(p, "words\r\n"); },
                                     "The user dictionary P is damaged: its first line is not a record count."}),
    [](const auto &p) { return std::string(p.param.name); });

} // namespace
