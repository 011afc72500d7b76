// Export and import of the user dictionary as word lists, through the routines trelvik-cli calls.

#include "services/WordListTransfer.h"
#include "base/FileIO.h"
#include "services/AddTypedWords.h"
#include "userdict/WordList.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <unistd.h>

using namespace trelvik;
using namespace testsupport;

namespace {

// What an import told while it read the list.
struct Heard {
    std::vector<ImportRow> rows;
    std::vector<ImportProblem> problems;
    std::vector<std::size_t> headers;
};

class WordListTransferTest : public ::testing::Test {
protected:
    std::string importList(const std::string &list, const std::string &name = "list.csv", bool dryRun = false)
    {
        heard = Heard{};
        ImportListener listener;
        listener.onRow = [this](const ImportRow &row) { heard.rows.push_back(row); };
        listener.onProblem = [this](const ImportProblem &problem) { heard.problems.push_back(problem); };
        listener.onHeader = [this](std::size_t line) { heard.headers.push_back(line); };
        last = ImportWordList(path, list, SeparatorsOfWordList(name), dryRun, listener);
        return readFile(path);
    }

    TempAppDir dir;
    std::string path = dir.userDict();
    ImportOutcome last;
    Heard heard;
};

TEST_F(WordListTransferTest, ExportThenImportIntoAnEmptyDictionaryGivesTheSameFile)
{
    // Words a spreadsheet would run as formulas go out with an apostrophe in front and come back without it.
    const std::string original = " 8 \r\n" + line("дом", "hus", "house") + line("ёлка", "julgran", "christmas tree")
                                 + line("кот", "katt", "cat, the") + line("", "åsna", "")
                                 + line("гол", "mål", "semi;colon") + line("дом", "hus", "house")
                                 + line("=1+2", "@home", "-ing") + line("'=x", "it's", "+");
    for (const WordListFormat format : {WordListFormat::Csv, WordListFormat::Tsv}) {
        writeFile(path, original);
        ExportedWords exported;
        ASSERT_TRUE(ExportUserDict(path, format, exported));
        EXPECT_EQ(exported.records, 8u);
        const char separator = format == WordListFormat::Csv ? ',' : '\t';
        const std::string head = format == WordListFormat::Csv
                                     ? "\xEF\xBB\xBFrussian,swedish,english\r\nдом,hus,house\r\n"
                                     : "russian\tswedish\tenglish\nдом\thus\thouse\n";
        EXPECT_EQ(exported.text.substr(0, head.size()), head);
        const std::string formulas = std::string("'=1+2") + separator + "'@home" + separator + "'-ing";
        EXPECT_NE(exported.text.find(formulas), std::string::npos) << exported.text;
        EXPECT_NE(exported.text.find(std::string("''=x") + separator + "it's" + separator + "'+"), std::string::npos);

        std::filesystem::remove(path);
        last = ImportWordList(path, exported.text, std::string(1, separator), false);
        EXPECT_TRUE(last.stored);
        EXPECT_EQ(readFile(path), original) << exported.text;
    }
}

TEST_F(WordListTransferTest, ExportLeavesOutAndCountsRecordsOfNothing)
{
    writeFile(path, " 3 \r\n" + line("дом", "hus", "house") + ",,\r\n" + line("кот", "katt", "cat"));
    ExportedWords exported;
    ASSERT_TRUE(ExportUserDict(path, WordListFormat::Tsv, exported));
    EXPECT_EQ(exported.text, "russian\tswedish\tenglish\nдом\thus\thouse\nкот\tkatt\tcat\n");
    EXPECT_EQ(exported.leftOut, 1u);
}

TEST_F(WordListTransferTest, ReadsSpreadsheetCsvAsSavedInManyCountries)
{
    const std::string list = "\xEF\xBB\xBF"
                             "English;Russian;Swedish\r\n"
                             "\"Ice; cream\";МОРОЖЕНОЕ;glass\n"
                             ";;\r\n"
                             " Dog ;собака;Hund\r\n";
    EXPECT_EQ(importList(list), " 2 \r\n" + line("мороженое", "glass", "ice; cream") + line("собака", "hund", "dog"));
    EXPECT_TRUE(heard.problems.empty());

    // The same list saved as "Unicode text": UTF-16 with a byte-order mark, tabs between the cells.
    const std::u16string utf16 = u"\uFEFFenglish\trussian\tswedish\r\nDog\tсобака\thund\r\nCat\tкот\tkatt\r\n";
    const std::string bytes(reinterpret_cast<const char *>(utf16.data()), utf16.size() * 2);
    EXPECT_EQ(importList(bytes, "list.txt"), " 3 \r\n" + line("мороженое", "glass", "ice; cream")
                                                 + line("собака", "hund", "dog") + line("кот", "katt", "cat"));
}

TEST_F(WordListTransferTest, EveryBadRowIsReportedWithItsLineAndNothingIsWritten)
{
    const std::string before = " 1 \r\n" + line("дом", "hus", "house");
    writeFile(path, before);
    const std::string list = "russian,swedish,english\n"
                             "кот,katt,cat\n"
                             "кот,\"say \"\"hi\"\"\",cat\n"
                             "\"two\nlines\",x,y\n"
                             "кот,kаtt,cat\n"
                             "кот,katt,"
                             + std::string(256, 'a')
                             + "\n"
                               "кот,katt\n"
                               "\xE4\xF6,x,y\n"
                               "a,b,c,d\n"
                               "\"open,x,y\n";
    EXPECT_EQ(importList(list), before);
    EXPECT_FALSE(last.stored);

    std::vector<std::pair<std::size_t, std::string>> problems;
    for (const ImportProblem &p : heard.problems)
        problems.emplace_back(p.line, p.reason);
    const std::vector<std::pair<std::size_t, std::string>> expected{
        {3, std::string("ERROR: words cannot hold a \" sign (swedish)")},
        {4, std::string("ERROR: words cannot hold a line break (russian)")},
        {6, std::string("ERROR: \u201C\u0430\u201D cannot be stored (swedish): The character \u201C\u0430\u201D "
                        "(U+0430) cannot be written in Windows-1252.")},
        {7, std::string("ERROR: a word is too long (english): A word can have at most 255 characters.")},
        {8, std::string("2 cells where 3 are expected")},
        {9, std::string("not UTF-8 text; save the list as UTF-8")},
        {10, std::string("4 cells where 3 are expected")},
        {11, std::string("a quoted cell has no closing quote")}};
    EXPECT_EQ(problems, expected);
}

TEST_F(WordListTransferTest, OnlyTriplesAlreadyThereAreSkipped)
{
    const std::string list = "ЕЖ, igelkott ,Hedgehog\nкот,katt,cat\n Кот,KATT,cat\n";
    importList(list, "list.csv", /*dryRun=*/true);
    EXPECT_FALSE(std::filesystem::exists(path)) << "a dry run creates nothing";

    const std::string before = " 1 \r\n" + line("ёж", "igelkott", "hedgehog");
    writeFile(path, before);

    EXPECT_EQ(importList(list, "list.csv", /*dryRun=*/true), before);
    ASSERT_EQ(heard.rows.size(), 3u);
    EXPECT_EQ(heard.rows[0].fate, ImportRow::Fate::AlreadyPresent);
    EXPECT_EQ(heard.rows[1].fate, ImportRow::Fate::Add);
    EXPECT_EQ(heard.rows[2].fate, ImportRow::Fate::Add);

    EXPECT_EQ(importList(list),
              " 3 \r\n" + line("ёж", "igelkott", "hedgehog") + line("кот", "katt", "cat") + line("кот", "katt", "cat"));
    EXPECT_EQ(last.added, 2u);
    EXPECT_EQ(last.alreadyPresent, 1u);
}

// A header row sets the columns, in any of the three languages; one that names only some languages stops the
// import, so that no column is ever dropped unnoticed; a header row further down is skipped and said.
TEST_F(WordListTransferTest, HeadersNeverDropAColumnOrBecomeWords)
{
    struct Case {
        const char *name;
        std::string list;
        std::string stored; // empty: nothing stored, not even an empty file
        std::vector<std::pair<std::size_t, std::string>> problems;
        std::vector<std::size_t> headers;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<Case> cases{
        {"misspelt",
         "russain,swedish,english\nдом,hus,house\n",
         "",
         {{1, "the header names no russian column (\"russain\" is no language name)"}},
         {}},
        {"second_byte_order_mark",
         bom + bom + "russian,swedish,english\nдом,hus,house\n",
         " 1 \r\n" + line("дом", "hus", "house"),
         {},
         {}},
        {"swedish_names",
         "Engelska;Ryska;Svenska\nwater;вода;vatten\n",
         " 1 \r\n" + line("вода", "vatten", "water"),
         {},
         {}},
        {"russian_names",
         "АНГЛИЙСКИЙ,русский,Шведский\nwater,вода,vatten\n",
         " 1 \r\n" + line("вода", "vatten", "water"),
         {},
         {}},
        {"two_lists_joined",
         bom + "russian,swedish,english\r\nдом,hus,house\r\n" + bom + "english,russian,swedish\r\ncat,кот,katt\r\n",
         " 2 \r\n" + line("дом", "hus", "house") + line("кот", "katt", "cat"),
         {},
         {3}},
    };
    for (const Case &c : cases) {
        std::filesystem::remove(path);
        EXPECT_EQ(importList(c.list), c.stored) << c.name;
        EXPECT_EQ(std::filesystem::exists(path), !c.stored.empty()) << c.name;
        std::vector<std::pair<std::size_t, std::string>> problems;
        for (const ImportProblem &p : heard.problems)
            problems.emplace_back(p.line, p.reason);
        EXPECT_EQ(problems, c.problems) << c.name;
        EXPECT_EQ(heard.headers, c.headers) << c.name;
    }
}

// Whatever export writes, import reads back: a byte the code page leaves undefined has no UTF-8 for it, and a
// word the add-words checks refuse would stop the whole import, so such records are named and left out.
TEST_F(WordListTransferTest, ExportNamesTheRecordsUtf8CannotHold)
{
    const std::string longWord(256, 'a');
    writeFile(path,
              " 3 \r\n" + line("дом", "hus", "house") + "\"\x98\",\"k\x81tt\",\"cat\"\r\n" + line("", "", longWord));
    ExportedWords exported;
    ASSERT_TRUE(ExportUserDict(path, WordListFormat::Tsv, exported));
    EXPECT_EQ(exported.text, "russian\tswedish\tenglish\nдом\thus\thouse\n");
    EXPECT_EQ(exported.records, 1u);
    const std::vector<std::string> refused{
        "the record \"\\x98\", \"k\\x81tt\", \"cat\" is left out: its russian word holds the byte 0x98, which "
        "Windows-1251 leaves undefined.",
        "the record \"\", \"\", \"" + longWord
            + "\" is left out, as import would refuse it: ERROR: a word is too long (english): A word can have at most "
              "255 characters."};
    EXPECT_EQ(exported.refused, refused);
}

// Standard input has a size limit like a file: a list that goes past it stores nothing.
TEST_F(WordListTransferTest, AListPastTheSizeLimitStoresNothing)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string list;
    while (list.size() < 3000)
        list += "кот,katt,cat\n";
    ASSERT_EQ(::write(fds[1], list.data(), list.size()), static_cast<ssize_t>(list.size()));
    ::close(fds[1]);
    const WordListSource limited = [&](const std::function<bool(std::string_view)> &take, std::string &error) {
        return ReadStreamInPieces(fds[0], "standard input", 1000, take, &error) == ReadStatus::Ok;
    };
    last = ImportWordList(path, limited, ",", false);
    ::close(fds[0]);
    EXPECT_EQ(last.fileError, std::string("Cannot read standard input: it holds more than 1000 bytes"));
    EXPECT_FALSE(last.stored);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WordListTransferTest, AddsDuringImportsAreNotLost)
{
    constexpr int kLists = 4, kRowsPerList = 300, kAdds = 60;
    std::thread importer([&] {
        for (int l = 0; l < kLists; ++l) {
            std::string list;
            for (int r = 0; r < kRowsPerList; ++r)
                list += "list" + std::to_string(l) + ",row" + std::to_string(r) + ",x\n";
            const ImportOutcome outcome = ImportWordList(path, list, ",", false);
            EXPECT_TRUE(outcome.stored) << outcome.fileError;
        }
    });
    for (int a = 0; a < kAdds; ++a) {
        const TypedWordsAdded added = AddTypedWords(path, TripleView{"add", "y", std::to_string(a)});
        EXPECT_EQ(added.outcome, TypedWordsAdded::Outcome::Added) << added.message;
    }
    importer.join();

    UserTable records;
    std::size_t empty = 0;
    ASSERT_TRUE(ReadEveryUserRecord(path, records, empty));
    const std::set<Triple> distinct(records.begin(), records.end());
    EXPECT_EQ(records.size(), static_cast<std::size_t>(kLists * kRowsPerList + kAdds));
    EXPECT_EQ(distinct.size(), records.size());
}

} // namespace
