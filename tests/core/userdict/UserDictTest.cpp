#include "base/FileIO.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

using namespace trelvik;
using namespace testsupport;

namespace {

class UserDictTest : public ::testing::Test {
protected:
    UserDictResult add(std::string_view ru, std::string_view en, std::string_view sv, std::int32_t *countOut = nullptr)
    {
        std::int32_t count = 0;
        UserTable table;
        UserDictResult result = AddUserRecord(path, count, table, Triple{sb(ru), sb(sv), sb(en)});
        if (countOut)
            *countOut = count;
        return result;
    }
    LookupContext lookup(std::string_view word, Language source, Language target, bool synonyms = true)
    {
        LookupContext ctx = testsupport::lookupContext(word, source, target, synonyms);
        LookupUserDict(path, ctx);
        return ctx;
    }

    TempAppDir dir;
    std::string path = dir.userDict();
};

TEST_F(UserDictTest, FirstAddCreatesTheFileInTheExactFormat)
{
    std::int32_t before = -1;
    ASSERT_TRUE(add("дом", "house", "hus", &before));
    EXPECT_EQ(before, 0) << "the new record's number is count + 1";
    EXPECT_EQ(readFile(path), " 1 \r\n" + line("дом", "hus", "house"));

    ASSERT_TRUE(add("кот", "cat", "katt", &before));
    EXPECT_EQ(before, 1);
    EXPECT_EQ(readFile(path), " 2 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat"));
}

// Each reader gives every word back in its own language, whichever way the record was written.
TEST_F(UserDictTest, ATripleKeepsItsLanguagesThroughEveryReaderAndWriter)
{
    const Triple words{sb("дом"), "hus", "house"};
    std::int32_t count = 0;
    UserTable table;
    ASSERT_TRUE(AddUserRecord(path, count, table, words));
    ASSERT_TRUE(ReadUserDict(path, count, table));
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0], words);
    ASSERT_TRUE(WriteUserDict(path, 1, table));
    const std::string bytes = readFile(path);
    std::vector<Triple> viewed;
    ForEachSearchedUserRecord(bytes, [&](const RecordView &r) {
        viewed.push_back(Triple{std::string(r.ru), std::string(r.sv), std::string(r.en)});
    });
    EXPECT_EQ(viewed, std::vector<Triple>{words});
    EXPECT_EQ(lookup("hus", Language::Swedish, Language::English).translations, std::vector<std::string>{"house"});
}

TEST_F(UserDictTest, ReadGivesCountAndRecords)
{
    writeFile(path, " 2 \r\n" + line("лёд, снег", "is", "ice") + line("кот", "katt", "cat"));
    std::int32_t count = 0;
    UserTable table;
    ASSERT_TRUE(ReadUserDict(path, count, table));
    EXPECT_EQ(count, 2);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].ru, sb("лёд, снег")) << "a comma inside quotes belongs to the word";
    EXPECT_EQ(table[1].en, "cat");
}

TEST_F(UserDictTest, EmptyOrMissingFileLeavesTheCountAsItCame)
{
    std::int32_t count = 7;
    UserTable table;
    ASSERT_TRUE(ReadUserDict(path, count, table));
    EXPECT_EQ(count, 7);
    EXPECT_TRUE(std::filesystem::exists(path)) << "a missing file is created empty";
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

struct CountLineCase {
    const char *name;
    std::string line1;
    bool ok;
    std::int32_t count;
    friend void PrintTo(const CountLineCase &c, std::ostream *os) { *os << c.name; }
};

class CountLineTest : public UserDictTest, public ::testing::WithParamInterface<CountLineCase> {};

TEST_P(CountLineTest, ReadsOrRefusesLineOne)
{
    const std::string content = GetParam().line1 + "\r\n" + line("дом", "hus", "house");
    writeFile(path, content);
    std::int32_t count = 0;
    UserTable table;
    const UserDictResult read = ReadUserDict(path, count, table);
    EXPECT_EQ(read.ok, GetParam().ok);
    std::int32_t countOnly = 0;
    const UserDictResult readCount = ReadUserDictCount(path, countOnly);
    EXPECT_EQ(readCount.ok, read.ok);
    EXPECT_EQ(readCount.error, read.error);
    if (read.ok) {
        EXPECT_EQ(count, GetParam().count);
        EXPECT_EQ(countOnly, GetParam().count);
    } else {
        EXPECT_EQ(read.error, "The user dictionary " + path + " is damaged: its first line is not a record count.");
        EXPECT_FALSE(add("кот", "cat", "katt")) << "no append to a file we cannot understand";
        EXPECT_EQ(readFile(path), content);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountLineTest,
    ::testing::Values(CountLineCase{"number_after_4000_blanks", std::string(4093, ' ') + "12345678", true, 12345678},
                      CountLineCase{"written_form", " 1 ", true, 1}, CountLineCase{"no_blanks", "1", true, 1},
                      CountLineCase{"zero", " 0 ", true, 0}, CountLineCase{"negative", "-5", true, -5},
                      CountLineCase{"letters", "abc", false, 0}, CountLineCase{"overflow", "99999999999", false, 0},
                      CountLineCase{"number_and_junk", "12x", false, 0}, CountLineCase{"empty", "", false, 0}),
    [](const auto &p) { return std::string(p.param.name); });

TEST_F(UserDictTest, AppendToZeroCountWritesOneRecord)
{
    writeFile(path, " 0 \r\n");
    std::int32_t before = -1;
    ASSERT_TRUE(add("дом", "house", "hus", &before));
    EXPECT_EQ(before, 0);
    EXPECT_EQ(readFile(path), " 1 \r\n" + line("дом", "hus", "house"));
}

// Line 1 says too many records or too few: the append counts and keeps the records that are there.
TEST_F(UserDictTest, AppendCountsTheRecordsThatExistWhateverLineOneSays)
{
    for (const char *countLine : {" 5 \r\n", " 1 \r\n"}) {
        writeFile(path, countLine + line("дом", "hus", "house") + line("кот", "katt", "cat"));
        std::int32_t before = -1;
        ASSERT_TRUE(add("пёс", "dog", "hund", &before)) << countLine;
        EXPECT_EQ(before, 2) << countLine;
        EXPECT_EQ(readFile(path),
                  " 3 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat") + line("пёс", "hund", "dog"));
        EXPECT_EQ(lookup("пёс", Language::Russian, Language::English).translations.size(), 1u) << countLine;
    }
}

TEST_F(UserDictTest, AppendDropsEmptyRecordsThatWouldHideTheNewOne)
{
    writeFile(path, " 2 \r\n" + line("дом", "hus", "house") + ",,\r\n\r\n");
    ASSERT_TRUE(add("пёс", "dog", "hund"));
    EXPECT_EQ(readFile(path), " 2 \r\n" + line("дом", "hus", "house") + line("пёс", "hund", "dog"));
    EXPECT_EQ(lookup("пёс", Language::Russian, Language::English).translations.size(), 1u);
}

TEST_F(UserDictTest, BatchAppendStoresAllRecordsOrNone)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
    const std::vector<UserRecord> batch{UserRecord{sb("кот"), "katt", "cat"}, UserRecord{sb("пёс"), "hund", "dog"}};
    std::int32_t before = -1;
    UserTable table;
    ASSERT_TRUE(AddUserRecords(path, before, table, batch));
    EXPECT_EQ(before, 1);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(readFile(path),
              " 3 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat") + line("пёс", "hund", "dog"));

    // A filter sees what the file holds under the lock and drops what is there already.
    const std::vector<UserRecord> again{UserRecord{"a", "b", "c"}, UserRecord{sb("кот"), "katt", "cat"}};
    ASSERT_TRUE(
        AddUserRecords(path, before, table, again, [](const UserTable &present, std::vector<UserRecord> &records) {
            records.erase(std::remove_if(records.begin(), records.end(),
                                         [&](const UserRecord &r) {
                                             return std::find(present.begin(), present.end(), r) != present.end();
                                         }),
                          records.end());
        }));
    EXPECT_EQ(before, 3);
    EXPECT_EQ(readFile(path), " 4 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat")
                                  + line("пёс", "hund", "dog") + line("a", "b", "c"));

    const std::string stored = readFile(path);
    const std::vector<UserRecord> oneBad{UserRecord{"a", "b", "c"}, UserRecord{"d", "e\"", "f"}};
    EXPECT_FALSE(AddUserRecords(path, before, table, oneBad));
    EXPECT_EQ(readFile(path), stored);

    // Records kept as the lines they will be are filtered in place.
    RecordLines lines(std::vector<UserRecord>{{"x", "y", "z"}, {sb("кот"), "katt", "cat"}, {"u", "v", "w"}});
    ASSERT_TRUE(
        AddRecordLines(path, before, table, std::move(lines), [](const UserTable &present, RecordLines &records) {
            records.KeepIf(
                [&](const UserRecord &r) { return std::find(present.begin(), present.end(), r) == present.end(); });
        }));
    EXPECT_EQ(readFile(path), " 6 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat")
                                  + line("пёс", "hund", "dog") + line("a", "b", "c") + line("x", "y", "z")
                                  + line("u", "v", "w"));
}

struct LayoutCase {
    const char *name;
    std::string content;
    int badLine; // 0 when an append may rewrite the file
};

class LayoutTest : public UserDictTest, public ::testing::WithParamInterface<LayoutCase> {};

// Rewriting a file that is not in the written form would make whatever the reader guessed permanent.
TEST_P(LayoutTest, AppendRewritesOnlyTheWrittenForm)
{
    writeFile(path, GetParam().content);
    const UserDictResult added = add("пёс", "dog", "hund");
    if (GetParam().badLine == 0) {
        EXPECT_TRUE(added) << added.error;
        EXPECT_EQ(lookup("пёс", Language::Russian, Language::English).translations.size(), 1u);
        return;
    }
    const std::string why = GetParam().badLine == 1
                                ? "line 1 is not the record count alone."
                                : "line " + std::to_string(GetParam().badLine)
                                      + " is not three words in double quotes, separated by commas.";
    EXPECT_EQ(added.error, "The user dictionary " + path + " was left as it is: " + why);
    EXPECT_EQ(readFile(path), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutTest,
    ::testing::Values(
        LayoutCase{"written_form", " 2 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat"), 0},
        LayoutCase{"lf_line_ends", " 1 \n\"a\",\"b\",\"c\"\n\"d\",\"e\",\"f\"", 0},
        LayoutCase{"unset_record_and_blank_lines_at_the_end", " 2 \r\n" + line("дом", "hus", "house") + ",,\r\n\r\n",
                   0},
        LayoutCase{"stray_quote", " 2 \r\n" + line("дом", "hus", "house") + "\"кот\"\",\"katt\",\"cat\"\r\n", 3},
        LayoutCase{"count_line_with_more_behind_it", " 1 ,\r\n" + line("дом", "hus", "house"), 1},
        LayoutCase{"notes_file", "3\r\nmilk, eggs\r\nbread\r\n", 2},
        LayoutCase{"unquoted_words", " 1 \r\nдом,hus,house\r\n", 2},
        LayoutCase{"record_split_over_two_lines", " 1 \r\n\"a\",\"b\",\r\n\"c\"\r\n", 2},
        LayoutCase{"blank_line_between_records",
                   " 2 \r\n" + line("дом", "hus", "house") + "\r\n" + line("кот", "katt", "cat"), 3},
        LayoutCase{"lf_line_among_cr_lf_lines", " 2 \r\n\"a\",\"b\",\"c\"\n" + line("кот", "katt", "cat"), 2},
        LayoutCase{"cut_in_the_middle_of_a_word", " 2 \r\n" + line("дом", "hus", "house") + "\"кот\",\"ka", 3}),
    [](const auto &p) { return std::string(p.param.name); });

TEST_F(UserDictTest, WordsTheFormatCannotHoldAreRefused)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
    const UserDictResult quote = add("дом", "\"house\"", "hus");
    EXPECT_FALSE(quote);
    EXPECT_EQ(quote.error, "A word cannot contain a double quote (\").");
    const UserDictResult lineBreak = add("дом", "house\r\nx", "hus");
    EXPECT_FALSE(lineBreak);
    EXPECT_EQ(lineBreak.error, "A word cannot contain a line break.");
    const UserDictResult nul = add("дом", std::string("house\0x", 7), "hus");
    EXPECT_EQ(nul.error, "A word cannot contain a NUL character.");
    EXPECT_EQ(readFile(path), " 1 \r\n" + line("дом", "hus", "house"));
}

// Beyond the size every reader accepts, an append would leave a file that the program can no longer read.
TEST_F(UserDictTest, AppendThatWouldPassTheSizeLimitIsRefused)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
    std::filesystem::resize_file(path, kMaxDataFileBytes - 10); // a hole: cheap to make, never read
    const UserDictResult added = add("кот", "cat", "katt");
    EXPECT_EQ(added.error, "The user dictionary " + path + " is full.");
    EXPECT_EQ(std::filesystem::file_size(path), kMaxDataFileBytes - 10);
}

TEST_F(UserDictTest, UnwritableFolderReportsAndKeepsTheFile)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only folders";
    ::chmod(dir.path().c_str(), 0555);
    const UserDictResult result = add("кот", "cat", "katt");
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
    EXPECT_EQ(readFile(path), " 1 \r\n" + line("дом", "hus", "house"));
}

TEST_F(UserDictTest, DirectoryInPlaceOfTheFileIsAnError)
{
    std::filesystem::create_directories(path);
    std::int32_t count = 0;
    UserTable table;
    EXPECT_FALSE(ReadUserDict(path, count, table));
    EXPECT_FALSE(add("кот", "cat", "katt"));
    EXPECT_EQ(lookup("кот", Language::Russian, Language::English).translations.size(), 0u);
}

TEST_F(UserDictTest, WriteReplacesTheWholeFileAndKeepsItsPermissions)
{
    writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    UserTable table{UserRecord{sb("дом"), "hus", "house"}, UserRecord{"", "", ""}};
    ASSERT_TRUE(WriteUserDict(path, 2, table));
    EXPECT_EQ(readFile(path), " 2 \r\n" + line("дом", "hus", "house") + "\"\",\"\",\"\"\r\n");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "no temporary file left";
}

TEST_F(UserDictTest, LookupFollowsTheVolumeRules)
{
    writeFile(path, " 6 \r\n" + line("собака", "hund", "dog") + line("собака", "vovve", "doggy")
                        + line("собачка", "hundvalp", "little dog") + line("xabcy", "x", "y") + ",,\r\n"
                        + line("собака", "hynda", "bitch"));
    const LookupContext ru = lookup("собака", Language::Russian, Language::English);
    ASSERT_EQ(ru.translations.size(), 2u) << "the record of empty words hides the ones after it";
    EXPECT_EQ(ru.translations[0], "dog");
    EXPECT_EQ(ru.translations[1], "doggy");

    EXPECT_EQ(lookup("abc", Language::Russian, Language::English).nearest.size(), 1u);
    EXPECT_EQ(lookup("ab", Language::Russian, Language::English).nearest.size(), 0u);
    EXPECT_EQ(lookup("abc", Language::Russian, Language::English, false).nearest.size(), 0u);
    EXPECT_EQ(lookup("dog ", Language::English, Language::Russian).translations.size(), 0u);
}

TEST_F(UserDictTest, LookupReadsNoMoreRecordsThanLineOneSays)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house") + line("дом", "bostad", "home"));
    EXPECT_EQ(lookup("дом", Language::Russian, Language::Swedish).translations.size(), 1u);
}

TEST_F(UserDictTest, LookupAfterFullTranslationsListsTheMatchAsNearest)
{
    writeFile(path, " 1 \r\n" + line("дом", "hus", "house"));
    LookupContext ctx = testsupport::lookupContext("дом", Language::Russian, Language::Swedish);
    for (std::size_t i = 0; i < kMaxTranslations; ++i)
        ctx.addTranslation("x");
    LookupUserDict(path, ctx);
    ASSERT_EQ(ctx.nearest.size(), 1u);
    EXPECT_EQ(ctx.nearest[0].translation, "hus");
}

TEST_F(UserDictTest, HugeCountWithFewRecordsCostsNoMemory)
{
    writeFile(path, " 2147483647 \r\n" + line("дом", "hus", "house"));
    std::int32_t count = 0;
    UserTable table;
    ASSERT_TRUE(ReadUserDict(path, count, table));
    EXPECT_EQ(count, 2147483647);
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(lookup("дом", Language::Russian, Language::Swedish).translations.size(), 1u);
}

} // namespace
