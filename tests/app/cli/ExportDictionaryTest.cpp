// trelvik-cli export-dictionary where its arguments or its folder are not what they should be.

#include "CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testsupport::CliRun;
using testsupport::line;
using testsupport::readFile;
using testsupport::runCli;
using testsupport::TempAppDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

namespace {

class ExportDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override { dir.putVolume("sv", "mSAE1", line("яблоко", "äpple", "apple")); }
    CliRun exportInto(const fs::path &folder, std::vector<std::string> options = {})
    {
        std::vector<std::string> args{"--app-dir", dir.str(), "export-dictionary"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(folder.string());
        return runCli(args);
    }

    TempAppDir dir;
};

// The last line of a program's standard error: the fixture lacks most volumes, and says so first.
std::string lastLine(const std::string &err)
{
    const std::size_t start = err.rfind('\n', err.size() - 2);
    return err.substr(start == std::string::npos ? 0 : start + 1);
}

// Links planted in the folder, at the names the export writes, lead out of it: the export replaces them and
// leaves what they point to alone, and refuses a link in place of a book's folder. Something other than a
// folder in the folder's place is refused.
TEST_F(ExportDictionaryTest, WritesOnlyIntoItsFolder)
{
    const fs::path out = dir.path() / "out";
    const fs::path outside = dir.path() / "outside";
    writeFile(outside, "keep");
    fs::create_directories(out);
    fs::create_symlink(outside, out / "trelvik-sv-ru.index");
    fs::create_directories(out / "trelvik-sv-en");
    fs::create_symlink(outside, out / "trelvik-sv-en" / "trelvik-sv-en.idx");
    fs::create_symlink(outside, out / "trelvik-sv-en" / "trelvik-sv-en.syn");

    for (const char *format : {"dict", "stardict"}) {
        const CliRun run = exportInto(out, {"--format", format});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readFile(outside), "keep");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(out / "trelvik-sv-en" / "trelvik-sv-en.syn"))) << "a stale .syn goes";
    std::size_t files = 0;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(out)) {
        EXPECT_FALSE(entry.is_symlink()) << entry.path();
        EXPECT_NE(entry.path().filename().string().front(), '.') << "left behind: " << entry.path();
        files += entry.is_regular_file();
    }
    EXPECT_EQ(files, 6u * 2u + 6u * 3u) << "NAME.index and NAME.dict.dz, and NAME/ with .ifo, .idx, .dict.dz";
    EXPECT_NE(readFile(out / "trelvik-sv-ru.index").find("\n\xC3\xA4pple\t"), std::string::npos);

    fs::remove_all(out / "trelvik-ru-en");
    fs::create_symlink(dir.path(), out / "trelvik-ru-en");
    const CliRun linkedBook = exportInto(out, {"--format", "stardict"});
    EXPECT_EQ(linkedBook.exitCode, 1);
    EXPECT_EQ(lastLine(linkedBook.err), "trelvik-cli: " + (out / "trelvik-ru-en").string()
                                            + " is a symbolic link: the export writes only into folders of its own.\n");

    const CliRun onFile = exportInto(outside);
    EXPECT_EQ(onFile.exitCode, 1);
    EXPECT_EQ(onFile.err, "trelvik-cli: " + outside.string() + " is not a folder.\n");
    fs::remove(out / "trelvik-ru-sv.index");
    fs::create_directories(out / "trelvik-ru-sv.index");
    const CliRun onFolder = exportInto(out);
    EXPECT_EQ(onFolder.exitCode, 1);
    EXPECT_EQ(lastLine(onFolder.err),
              "trelvik-cli: Cannot write " + out.string() + "/trelvik-ru-sv.index: Is a directory\n");
}

// The user's words were asked for: a user dictionary that cannot be understood stops the export.
TEST_F(ExportDictionaryTest, DamagedUserDictionaryIsADataError)
{
    writeFile(dir.userDict(), "no count\r\n" + line("кот", "katt", "cat"));
    const CliRun run = exportInto(dir.path() / "out", {"--with-user-dict"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(lastLine(run.err), "trelvik-cli: The user dictionary " + dir.userDict()
                                     + " is damaged: its first line is not a record count.\n");
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "trelvik-ru-sv.index"));
}

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
};

class ExportDictionaryUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ExportDictionaryUsageTest, ExitsWithTwo)
{
    const CliRun run = runCli(GetParam().args);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportDictionaryUsageTest,
                         ::testing::Values(UsageCase{"no_folder", {"export-dictionary"}},
                                           UsageCase{"unknown_format", {"export-dictionary", "--format", "csv", "out"}},
                                           UsageCase{"user_words_with_lookup",
                                                     {"lookup", "--with-user-dict", "ru", "sv", "дом"}},
                                           UsageCase{"lookup_option", {"export-dictionary", "--no-user-dict", "out"}}),
                         [](const auto &p) { return std::string(p.param.name); });

} // namespace
