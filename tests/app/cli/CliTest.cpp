// trelvik-cli run as a separate process against a small application folder.

#include "CliRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.putVolume("ru", "mRK1", line("кошка", "katt", "cat") + line("кошка-мать", "kattmamma", "mother cat"));
        dir.putVolume("sv", "mSK1", line("кошка", "katt", "cat") + line("котёнок", "kattunge", "kitten"));
        dir.putVolume("en", "mEC1", line("кошка", "katt", "cat"));
        dir.putVolume("sv", "mSAE1", line("яблоко", "äpple", "apple"));
    }
    std::vector<std::string> withDir(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--app-dir", dir.str()});
        return args;
    }

    TempAppDir dir;
};

TEST_F(CliTest, LookupPrintsTranslationRowsAndStatus)
{
    const CliRun run = runCli(withDir({"lookup", "ru", "sv", "КОШКА"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "katt\nкошка-мать\tkattmamma\nStat: Translate complete.\n");
}

TEST_F(CliTest, LookupJsonAndStandardInput)
{
    const CliRun run = runCli(withDir({"lookup", "--json", "sv", "ru"}), "katt\r\nÄpple\nzzz\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "{\"nearest\":[[\"kattunge\",\"котёнок\"]],\"status\":\"Stat: Translate complete.\",\"translation\":"
        "\"кошка\",\"word\":\"katt\"}\n"
        "{\"nearest\":[],\"status\":\"Stat: Translate complete.\",\"translation\":\"яблоко\",\"word\":\"Äpple\"}\n"
        "{\"nearest\":[],\"status\":\"Stat: Word is not present in main dictionary. You can add it to User "
        "dictionfry.\",\"translation\":\"\",\"word\":\"zzz\"}\n");
}

TEST_F(CliTest, LookupOptionsSwitchOffUserDictionaryAndNearestWords)
{
    writeFile(dir.userDict(), " 1 \r\n" + line("кошка", "misse", "pussycat"));
    EXPECT_EQ(runCli(withDir({"lookup", "ru", "sv", "кошка"})).out,
              "katt, misse\nкошка-мать\tkattmamma\nStat: Translate complete.\n");
    EXPECT_EQ(runCli(withDir({"lookup", "--no-user-dict", "--no-synonyms", "ru", "sv", "кошка"})).out,
              "katt\nStat: Translate complete.\n");
}

TEST_F(CliTest, CharacterOutsideTheCodePageIsAnError)
{
    const CliRun run = runCli(withDir({"lookup", "ru", "en", "кошка€"}));
    EXPECT_EQ(run.exitCode, 0) << "the euro sign exists in Windows-1251";
    const CliRun bad = runCli(withDir({"lookup", "sv", "en", "kattж"}));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("(U+0436) cannot be written in Windows-1252"), std::string::npos) << bad.err;
}

TEST_F(CliTest, StressMarksAreDroppedAndYoReadsAsYe)
{
    dir.putVolume("ru", "mRE1", line("еж", "igelkott", "hedgehog"));
    const struct {
        std::vector<std::string> args;
        const char *out;
    } cases[] = {
        {{"lookup", "ru", "sv", "ко\u0301шка"}, "katt\nкошка-мать\tkattmamma\nStat: Translate complete.\n"},
        {{"lookup", "ru", "en", "Ё\u0300Ж"}, "hedgehog\nStat: Translate complete.\n"},
        // Russian has no ѐ: the grave that composes е into it is a stress mark too.
        {{"lookup", "ru", "en", "е\u0300ж"}, "hedgehog\nStat: Translate complete.\n"},
        // A mark that makes no letter with the one before it is dropped in a Latin word too (on a, it makes á).
        {{"lookup", "sv", "ru", "kat\u0301t"}, "кошка\nkattunge\tкотёнок\nStat: Translate complete.\n"},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(withDir(c.args));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.back();
    }
}

TEST_F(CliTest, FormsFallBackOnTheBaseFormOrSayWhichPackageIsMissing)
{
    const CliRun plain = runCli(withDir({"lookup", "ru", "sv", "кошками"}));
    EXPECT_EQ(plain.out, "\nStat: Word is not present in main dictionary. You can add it to User dictionfry.\n");
    const CliRun forms = runCli(withDir({"lookup", "--forms", "ru", "sv", "кошками"}));
    EXPECT_EQ(forms.exitCode, 0) << forms.err;
    EXPECT_EQ(forms.out, "katt\nкошка-мать\tkattmamma\nStat: Translate complete. (кошками → кошка)\n");

    const TempAppDir noDictionaries;
    ::setenv("TRELVIK_HUNSPELL_DIR", noDictionaries.str().c_str(), 1);
    const CliRun missing = runCli(withDir({"lookup", "--forms", "sv", "en", "katten"}));
    ::unsetenv("TRELVIK_HUNSPELL_DIR");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "trelvik-cli: Looking up word forms needs the package hunspell-sv: the Hunspell dictionary "
                           "sv_SE is missing from "
                               + noDictionaries.str() + ".\n");
}

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
    friend void PrintTo(const UsageCase &c, std::ostream *os) { *os << c.name; }
};

class CliUsageTest : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsageTest, ExitsWithTwo)
{
    const CliRun run = runCli(withDir(GetParam().args));
    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CliUsageTest,
                         ::testing::Values(UsageCase{"no_command", {}}, UsageCase{"unknown_command", {"frobnicate"}},
                                           UsageCase{"same_language", {"lookup", "sv", "sv", "katt"}},
                                           UsageCase{"bad_language", {"lookup", "de", "sv", "katze"}},
                                           UsageCase{"too_many_words", {"lookup", "ru", "sv", "a", "b"}},
                                           UsageCase{"add_missing_word", {"add", "кот", "cat"}},
                                           UsageCase{"json_with_add", {"--json", "add", "a", "b", "c"}},
                                           UsageCase{"forms_with_count", {"--forms", "count"}},
                                           UsageCase{"unknown_option", {"--frob", "count"}},
                                           UsageCase{"unknown_format", {"export", "--format", "xls"}},
                                           UsageCase{"format_with_import", {"import", "--format", "csv", "-"}},
                                           UsageCase{"import_without_file", {"import", "--dry-run"}}),
                         [](const auto &p) { return std::string(p.param.name); });

TEST_F(CliTest, AddStoresTrimmedLowerCaseWordsAndCountSeesThem)
{
    EXPECT_EQ(runCli(withDir({"count"})).out, "0 word(s)\n");
    const CliRun add = runCli(withDir({"add", "  Ёлка ", "Christmas Tree", "JULGRAN"}));
    EXPECT_EQ(add.exitCode, 0) << add.err;
    EXPECT_EQ(add.out, "Words is added. Record #1\n");
    EXPECT_EQ(readFile(dir.userDict()), " 1 \r\n" + line("ёлка", "julgran", "christmas tree"));
    EXPECT_EQ(runCli(withDir({"add", "кот", "cat", "katt"})).out, "Words is added. Record #2\n");
    EXPECT_EQ(runCli(withDir({"count"})).out, "2 word(s)\n");
    EXPECT_EQ(runCli(withDir({"lookup", "en", "ru", "Christmas tree"})).out.substr(0, 9), "ёлка\n");
}

TEST_F(CliTest, AddRefusesWhatCannotBeStoredAndLeavesTheFile)
{
    writeFile(dir.userDict(), " 1 \r\n" + line("дом", "hus", "house"));
    const CliRun empty = runCli(withDir({"add", "", "cat", "katt"}));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "trelvik-cli: ERROR: enter words first\n");
    const CliRun quote = runCli(withDir({"add", "кот", "\"cat\"", "katt"}));
    EXPECT_EQ(quote.exitCode, 1);
    EXPECT_EQ(quote.err, "trelvik-cli: ERROR: words cannot hold a \" sign\n");
    const CliRun codePage = runCli(withDir({"add", "кот", "cat", "kattж"}));
    EXPECT_EQ(codePage.exitCode, 1);
    EXPECT_EQ(readFile(dir.userDict()), " 1 \r\n" + line("дом", "hus", "house"));
}

TEST_F(CliTest, DamagedUserDictionaryIsADataError)
{
    writeFile(dir.userDict(), "abc\r\n");
    const CliRun count = runCli(withDir({"count"}));
    EXPECT_EQ(count.exitCode, 1);
    EXPECT_NE(count.err.find("is damaged: its first line is not a record count."), std::string::npos);
    EXPECT_EQ(runCli(withDir({"add", "кот", "cat", "katt"})).exitCode, 1);
    EXPECT_EQ(readFile(dir.userDict()), "abc\r\n");
}

TEST_F(CliTest, ExportAndImportMoveWordsAsLists)
{
    writeFile(dir.userDict(), " 2 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat, the"));
    const CliRun out = runCli(withDir({"export"}));
    EXPECT_EQ(out.exitCode, 0) << out.err;
    EXPECT_EQ(out.out, "\xEF\xBB\xBFrussian,swedish,english\r\nдом,hus,house\r\nкот,katt,\"cat, the\"\r\n");
    const std::string tsv = (dir.path() / "words.tsv").string();
    EXPECT_EQ(runCli(withDir({"export", tsv})).out, "2 record(s) written to " + tsv + "\n");
    EXPECT_EQ(readFile(tsv), "russian\tswedish\tenglish\nдом\thus\thouse\nкот\tkatt\tcat, the\n");

    const std::string before = readFile(dir.userDict());
    const std::string list = (dir.path() / "list.csv").string();
    writeFile(list, "russian,swedish,english\nпёс,hund,dog\nкот,katt\n");
    const CliRun bad = runCli(withDir({"import", list}));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, list
                           + ":3: 2 cells where 3 are expected\n"
                             "trelvik-cli: nothing imported: 1 row(s) cannot be stored.\n");
    EXPECT_EQ(readFile(dir.userDict()), before);

    const CliRun dry = runCli(withDir({"import", "--dry-run", "-"}), "ДОМ\tHUS\thouse\nпёс\thund\tdog\n");
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(dry.out, "(standard input):1: already present \"дом\", \"hus\", \"house\"\n"
                       "(standard input):2: add \"пёс\", \"hund\", \"dog\"\n"
                       "Dry run: 1 would be added, 1 already present; nothing was written.\n");
    EXPECT_EQ(readFile(dir.userDict()), before);

    const CliRun good = runCli(withDir({"import", "-"}), "ДОМ\tHUS\thouse\nпёс\thund\tdog\n");
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "1 added, 1 already present\n");
    EXPECT_EQ(readFile(dir.userDict()),
              " 3 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat, the") + line("пёс", "hund", "dog"));
}

// A word list written over the user dictionary, under any of its names, would lose every word.
TEST_F(CliTest, ExportRefusesToOverwriteAUserDictionary)
{
    const std::string words = " 1 \r\n" + line("дом", "hus", "house");
    writeFile(dir.userDict(), words);
    writeFile(dir.path() / "saved.dct", words);
    std::filesystem::create_symlink(dir.userDict(), dir.path() / "link.csv");
    for (const std::string &name :
         {dir.userDict(), (dir.path() / "link.csv").string(), (dir.path() / "saved.dct").string()}) {
        const CliRun run = runCli(withDir({"export", name}));
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_EQ(run.err,
                  "trelvik-cli: " + name + " holds a user dictionary; export writes word lists to another file.\n");
        EXPECT_EQ(readFile(name), words);
    }
}

TEST(CliVersionTest, PrintsTheVersion)
{
    const CliRun run = runCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "trelvik-cli 2.0\n");
}

} // namespace

struct OptionErrorCase {
    const char *name;
    std::vector<std::string> args;
    const char *message;
    friend void PrintTo(const OptionErrorCase &c, std::ostream *os) { *os << c.name; }
};

class CliOptionErrorTest : public CliTest, public ::testing::WithParamInterface<OptionErrorCase> {};

// Scripts match these messages; the command line is read by the program's own parser, which must keep them.
TEST_P(CliOptionErrorTest, SaysWhatIsWrong)
{
    const CliRun run = runCli(withDir(GetParam().args));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              std::string("trelvik-cli: ") + GetParam().message + "\ntrelvik-cli: Try 'trelvik-cli --help'.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliOptionErrorTest,
    ::testing::Values(OptionErrorCase{"unknown_letters", {"-xhy", "count"}, "Unknown options: x, y."},
                      OptionErrorCase{"value_not_taken", {"--json=1", "count"}, "Unexpected value after '--json'."},
                      OptionErrorCase{"value_missing", {"export", "--format"}, "Missing value after '--format'."}),
    [](const auto &p) { return std::string(p.param.name); });

// A file name is printed as it is, even where it holds what looks like a numbered placeholder.
TEST_F(CliTest, ImportNamesTheListAsGiven)
{
    const std::string list = (dir.path() / "list%1%2.csv").string();
    writeFile(list, "кот,katt\n");
    const CliRun run = runCli(withDir({"import", "--dry-run", list}));
    EXPECT_EQ(run.err, list
                           + ":1: 2 cells where 3 are expected\n"
                             "trelvik-cli: nothing imported: 1 row(s) cannot be stored.\n");
}
