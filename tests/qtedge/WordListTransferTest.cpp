// Export and import of the user dictionary as word lists, through the routines trelvik-cli calls.

#include "qtedge/WordListTransfer.h"
#include "qtedge/TypedWords.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QString>

#include <set>
#include <thread>

using namespace trelvik;
using namespace testsupport;

namespace {

class WordListTransferTest : public ::testing::Test {
protected:
    std::string importList(const std::string &list, const std::string &name = "list.csv", bool dryRun = false)
    {
        last = ImportWordList(path, list, SeparatorOfWordList(QString::fromStdString(name), list), dryRun);
        return readFile(path);
    }

    TempAppDir dir;
    std::string path = dir.userDict();
    ImportOutcome last;
};

TEST_F(WordListTransferTest, ExportThenImportIntoAnEmptyDictionaryGivesTheSameFile)
{
    const std::string original = " 6 \r\n" + line("дом", "hus", "house") + line("ёлка", "julgran", "christmas tree")
                                 + line("кот", "katt", "cat, the") + line("", "åsna", "")
                                 + line("гол", "mål", "semi;colon") + line("дом", "hus", "house");
    for (const WordListFormat format : {WordListFormat::Csv, WordListFormat::Tsv}) {
        writeFile(path, original);
        ExportedWords exported;
        ASSERT_TRUE(ExportUserDict(path, format, exported));
        EXPECT_EQ(exported.records, 6u);
        const char separator = format == WordListFormat::Csv ? ',' : '\t';
        const std::string head = format == WordListFormat::Csv
                                     ? "\xEF\xBB\xBFrussian,swedish,english\r\nдом,hus,house\r\n"
                                     : "russian\tswedish\tenglish\nдом\thus\thouse\n";
        EXPECT_EQ(exported.text.substr(0, head.size()), head);

        std::filesystem::remove(path);
        last = ImportWordList(path, exported.text, separator, false);
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
    EXPECT_TRUE(last.plan.problems.empty());

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

    std::vector<std::pair<std::size_t, QString>> problems;
    for (const ImportProblem &p : last.plan.problems)
        problems.emplace_back(p.line, p.reason);
    const std::vector<std::pair<std::size_t, QString>> expected{
        {3, QStringLiteral("ERROR: words cannot hold a \" sign (swedish)")},
        {4, QStringLiteral("ERROR: words cannot hold a line break (russian)")},
        {6, QStringLiteral("ERROR: \u201C\u0430\u201D cannot be stored (swedish): The character \u201C\u0430\u201D "
                           "(U+0430) cannot be written in Windows-1252.")},
        {7, QStringLiteral("ERROR: a word is too long (english): A word can have at most 255 characters.")},
        {8, QStringLiteral("2 cells where 3 are expected")},
        {9, QStringLiteral("not UTF-8 text; save the list as UTF-8")},
        {10, QStringLiteral("4 cells where 3 are expected")},
        {11, QStringLiteral("a quoted cell has no closing quote")}};
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
    ASSERT_EQ(last.plan.rows.size(), 3u);
    EXPECT_EQ(last.plan.rows[0].fate, ImportRow::Fate::AlreadyPresent);
    EXPECT_EQ(last.plan.rows[1].fate, ImportRow::Fate::Add);
    EXPECT_EQ(last.plan.rows[2].fate, ImportRow::Fate::Add);

    EXPECT_EQ(importList(list),
              " 3 \r\n" + line("ёж", "igelkott", "hedgehog") + line("кот", "katt", "cat") + line("кот", "katt", "cat"));
    EXPECT_EQ(last.plan.added(), 2u);
    EXPECT_EQ(last.plan.skipped(), 1u);
}

TEST_F(WordListTransferTest, AddsDuringImportsAreNotLost)
{
    constexpr int kLists = 4, kRowsPerList = 300, kAdds = 60;
    std::thread importer([&] {
        for (int l = 0; l < kLists; ++l) {
            std::string list;
            for (int r = 0; r < kRowsPerList; ++r)
                list += "list" + std::to_string(l) + ",row" + std::to_string(r) + ",x\n";
            const ImportOutcome outcome = ImportWordList(path, list, ',', false);
            EXPECT_TRUE(outcome.stored) << outcome.fileError.toStdString();
        }
    });
    for (int a = 0; a < kAdds; ++a) {
        const TypedWordsAdded added =
            AddTypedWords(path, QStringLiteral("add"), QString::number(a), QStringLiteral("y"));
        EXPECT_EQ(added.outcome, TypedWordsAdded::Outcome::Added) << added.message.toStdString();
    }
    importer.join();

    UserTable records;
    std::size_t empty = 0;
    ASSERT_TRUE(ReadEveryUserRecord(path, records, empty));
    std::set<std::array<std::string, 3>> distinct;
    for (const UserRecord &r : records)
        distinct.insert(r.field);
    EXPECT_EQ(records.size(), static_cast<std::size_t>(kLists * kRowsPerList + kAdds));
    EXPECT_EQ(distinct.size(), records.size());
}

} // namespace
