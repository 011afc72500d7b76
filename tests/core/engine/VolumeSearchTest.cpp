#include "engine/VolumeSearch.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace trelvik;
using namespace testsupport;

namespace {

class VolumeSearchTest : public ::testing::Test {
protected:
    LookupContext context(std::string_view word, Language source, Language target, bool synonyms = true)
    {
        return testsupport::lookupContext(word, source, target, synonyms);
    }
    std::string search(std::string_view bytes, LookupContext &ctx)
    {
        dir.putVolume("ru", "mRD1", bytes);
        const std::string path = dir.volume("ru", "mRD1").string();
        SearchVolume(path, ctx);
        return path;
    }

    TempAppDir dir;
};

TEST_F(VolumeSearchTest, ExactMatchStoresTargetColumnAndDuplicatesStayInTheList)
{
    auto ctx = context("дом", Language::Russian, Language::Swedish);
    search(line("дом", "hus", "house") + line("дерево", "träd", "tree") + line("дом", "hus", "home"), ctx);
    ASSERT_EQ(ctx.translations.size(), 2u);
    EXPECT_EQ(ctx.translations[0], "hus");
    EXPECT_EQ(ctx.translations[1], "hus");
    EXPECT_EQ(ctx.nearest.size(), 0u) << "an exact match that was stored is never also a nearest word";
}

TEST_F(VolumeSearchTest, EnglishToRussianUsesThirdAndFirstColumns)
{
    auto ctx = context("house", Language::English, Language::Russian);
    search(line("дом", "hus", "house"), ctx);
    ASSERT_EQ(ctx.translations.size(), 1u);
    EXPECT_EQ(ctx.translations[0], sb("дом"));
}

TEST_F(VolumeSearchTest, NearestWordsNeedThreeCharactersAndTheOption)
{
    const std::string volume = line("дом", "hus", "house") + line("домик", "stuga", "cottage")
                               + line("бездомный", "hemlös", "homeless") + line("дорога", "väg", "road");
    auto three = context("дом", Language::Russian, Language::English);
    search(volume, three);
    ASSERT_EQ(three.nearest.size(), 2u);
    EXPECT_EQ(three.nearest[0].word, sb("домик"));
    EXPECT_EQ(three.nearest[0].translation, "cottage");
    EXPECT_EQ(three.nearest[1].word, sb("бездомный"));

    auto two = context("до", Language::Russian, Language::English);
    search(volume, two);
    EXPECT_EQ(two.nearest.size(), 0u);

    auto off = context("дом", Language::Russian, Language::English, /*synonyms=*/false);
    search(volume, off);
    EXPECT_EQ(off.translations.size(), 1u);
    EXPECT_EQ(off.nearest.size(), 0u);
}

TEST_F(VolumeSearchTest, LimitsHoldAndAFullListTurnsExactMatchesIntoNearestWords)
{
    std::string volume;
    for (int i = 0; i < 25; ++i)
        volume += line("дом", "hus" + std::to_string(i), "house");
    for (int i = 0; i < 20; ++i)
        volume += line("домик", "stuga" + std::to_string(i), "cottage");
    auto ctx = context("дом", Language::Russian, Language::Swedish);
    search(volume, ctx);
    EXPECT_EQ(ctx.translations.size(), 20u);
    EXPECT_EQ(ctx.translations[19], "hus19");
    ASSERT_EQ(ctx.nearest.size(), 15u);
    EXPECT_EQ(ctx.nearest[0].word, sb("дом")) << "the 21st exact match has no room and becomes a nearest word";
    EXPECT_EQ(ctx.nearest[0].translation, "hus20");
    EXPECT_EQ(ctx.nearest[5].word, sb("домик"));
}

TEST_F(VolumeSearchTest, OnlyTheFirst500RecordsAreRead)
{
    std::string volume;
    for (int i = 0; i < 500; ++i)
        volume += line("слово" + std::to_string(i), "ord", "word");
    auto last = context("слово499", Language::Russian, Language::Swedish);
    search(volume + line("дом", "hus", "house"), last);
    EXPECT_EQ(last.translations.size(), 1u);

    auto beyond = context("дом", Language::Russian, Language::Swedish);
    search(volume + line("дом", "hus", "house"), beyond);
    EXPECT_EQ(beyond.translations.size(), 0u);
}

TEST_F(VolumeSearchTest, RecordOfThreeEmptyFieldsEndsTheVolume)
{
    std::string volume;
    for (int i = 0; i < 9; ++i)
        volume += line("слово" + std::to_string(i), "ord", "word");
    volume += "\"\",\"\",\"\"\r\n" + line("дом", "hus", "house");
    auto ctx = context("дом", Language::Russian, Language::Swedish);
    search(volume, ctx);
    EXPECT_EQ(ctx.translations.size(), 0u);
}

TEST_F(VolumeSearchTest, CapitalisedEntryIsOnlyANearestWord)
{
    auto ctx = context("ondon", Language::English, Language::Swedish);
    search(line("лондон", "London", "London") + line("лондон", "london", "london"), ctx);
    EXPECT_EQ(ctx.translations.size(), 0u);
    EXPECT_EQ(ctx.nearest.size(), 2u);

    auto exact = context("london", Language::English, Language::Swedish);
    search(line("лондон", "London", "London"), exact);
    EXPECT_EQ(exact.translations.size(), 0u);
    EXPECT_EQ(exact.nearest.size(), 0u) << "'london' does not occur in 'London' byte for byte";
}

TEST_F(VolumeSearchTest, BlanksInsideQuotesAreKeptAndUnquotedBlanksDropped)
{
    auto ctx = context("cat", Language::English, Language::Swedish);
    search(sb("кот,  katt  ,  cat  \r\n\"кошка\",\"katt\",\" cat \"\r\n"), ctx);
    ASSERT_EQ(ctx.translations.size(), 1u);
    EXPECT_EQ(ctx.translations[0], "katt");
    EXPECT_EQ(ctx.nearest.size(), 1u) << "' cat ' contains the word but is no exact match";
}

TEST_F(VolumeSearchTest, EmptyTargetFieldIsStillATranslation)
{
    auto ctx = context("дом", Language::Russian, Language::English);
    search(line("дом", "hus", ""), ctx);
    ASSERT_EQ(ctx.translations.size(), 1u);
    EXPECT_EQ(ctx.translations[0], "");
}

TEST_F(VolumeSearchTest, MissingVolumeIsCreatedEmptyAndAddsNothing)
{
    auto ctx = context("дом", Language::Russian, Language::Swedish);
    const auto path = dir.volume("ru", "mRD2");
    SearchVolume(path.string(), ctx);
    EXPECT_EQ(ctx.translations.size(), 0u);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST_F(VolumeSearchTest, RecordCutShortAtEndOfFileIsSkipped)
{
    auto ctx = context("дом", Language::Russian, Language::English);
    search(line("дом", "hus", "house") + sb("\"дом\",\"hus\""), ctx);
    EXPECT_EQ(ctx.translations.size(), 1u);
}

TEST_F(VolumeSearchTest, UnusableVolumesCountAsEmpty)
{
    auto ctx = context("дом", Language::Russian, Language::Swedish);
    const auto asDirectory = dir.volume("ru", "mRD1");
    std::filesystem::create_directories(asDirectory);
    SearchVolume(asDirectory.string(), ctx);

    const auto readOnly = dir.path() / "data" / "locked";
    std::filesystem::create_directories(readOnly);
    ::chmod(readOnly.c_str(), 0555);
    SearchVolume((readOnly / "mRD1.dct").string(), ctx);
    EXPECT_EQ(ctx.translations.size(), 0u);
    EXPECT_EQ(ctx.nearest.size(), 0u);
}

TEST(EntryContainsWordTest, FindsRunsAnywhereCaseSensitive)
{
    EXPECT_TRUE(EntryContainsWord("abcde", "abc"));
    EXPECT_TRUE(EntryContainsWord("abcde", "cde"));
    EXPECT_TRUE(EntryContainsWord("abcde", "bcd"));
    EXPECT_FALSE(EntryContainsWord("abcde", "Abc"));
    EXPECT_FALSE(EntryContainsWord("", "abc"));
    EXPECT_FALSE(EntryContainsWord("ab", "abc"));
}

} // namespace
