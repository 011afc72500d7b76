#include "engine/Presentation.h"

#include <gtest/gtest.h>

using namespace trelvik;

namespace {

// The working values of a request that found these translations and nearest pairs.
LookupContext found(std::initializer_list<const char *> translations,
                    std::initializer_list<std::pair<const char *, const char *>> pairs = {})
{
    LookupContext ctx;
    for (const char *item : translations)
        ctx.addTranslation(item);
    for (const auto &[word, translation] : pairs)
        ctx.addNearest(word, translation);
    return ctx;
}

struct JoinCase {
    const char *name;
    std::vector<std::string> items;
    const char *joined;
    friend void PrintTo(const JoinCase &c, std::ostream *os) { *os << c.name; }
};

class JoinTranslationsTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinTranslationsTest, JoinsDistinctNonEmptyTranslations)
{
    EXPECT_EQ(JoinTranslations(GetParam().items), GetParam().joined);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinTranslationsTest,
                         ::testing::Values(JoinCase{"none", {}, ""}, JoinCase{"single_kept_whole", {"x, y"}, "x, y"},
                                           JoinCase{"single_empty", {""}, ""},
                                           JoinCase{"repeat_shown_at_first_place", {"x", "y", "x"}, "x, y"},
                                           JoinCase{"case_matters", {"x", "X"}, "x, X"},
                                           JoinCase{"empties_skipped", {"", "a", "", "b", ""}, "a, b"},
                                           JoinCase{"all_empty", {"", ""}, ""}),
                         [](const auto &p) { return std::string(p.param.name); });

TEST(JoinTranslationsTest, TwentyDifferentTranslationsAreAllShown)
{
    LookupContext ctx;
    std::string expected;
    for (int i = 1; i <= 20; ++i) {
        ctx.addTranslation("t" + std::to_string(i));
        expected += (i > 1 ? ", t" : "t") + std::to_string(i);
    }
    EXPECT_FALSE(ctx.addTranslation("t21"));
    EXPECT_EQ(JoinTranslations(ctx.translations), expected);
}

TEST(RemoveDuplicateNearestTest, RepeatedPairsAreEmptiedAndLengthKept)
{
    std::vector<NearestPair> list = found({}, {{"w", "t"}, {"x", "u"}, {"w", "t"}, {"w", "v"}, {"w", "t"}}).nearest;
    RemoveDuplicateNearest(list);
    const std::vector<NearestPair> expected{{"w", "t"}, {"x", "u"}, {"", ""}, {"w", "v"}, {"", ""}};
    EXPECT_EQ(list, expected) << "same word, other translation is another pair";
}

TEST(ShowResultsTest, NothingFound)
{
    LookupContext ctx;
    const LookupResult result = ShowResults(ctx);
    EXPECT_TRUE(result.translations.empty());
    EXPECT_TRUE(result.nearest.empty());
    EXPECT_EQ(result.status, LookupStatus::NotPresent);
}

TEST(ShowResultsTest, TranslationsAndNearestWordsTogether)
{
    LookupContext ctx = found({"x", "y", "x"}, {{"w", "t"}, {"x", "u"}, {"w", "t"}, {"w", "t"}});
    const LookupResult result = ShowResults(ctx);
    EXPECT_EQ(result.translations, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(result.nearest, (std::vector<NearestPair>{{"w", "t"}, {"x", "u"}}));
    EXPECT_EQ(result.status, LookupStatus::Translated);
}

TEST(ShowResultsTest, PairsWithAnEmptySideAreLeftOut)
{
    LookupContext ctx = found({}, {{"a", ""}, {"", "b"}, {"c", "d"}});
    const LookupResult result = ShowResults(ctx);
    EXPECT_EQ(result.nearest, (std::vector<NearestPair>{{"c", "d"}}));
    EXPECT_EQ(result.status, LookupStatus::OnlyNearest);
}

TEST(ShowResultsTest, StatusComesFromTheDistinctTranslationsNotTheCount)
{
    LookupContext emptyOne = found({""});
    EXPECT_EQ(ShowResults(emptyOne).status, LookupStatus::NotPresent);

    LookupContext hidden = found({""}, {{"abc", ""}});
    const LookupResult result = ShowResults(hidden);
    EXPECT_EQ(result.status, LookupStatus::OnlyNearest) << "pairs count even when none of them can be listed";
    EXPECT_TRUE(result.nearest.empty());
}

TEST(StatusLineTest, NamesTheBaseFormInUtf8)
{
    LookupResult result;
    result.status = LookupStatus::Translated;
    EXPECT_EQ(StatusLine(result, CodePage::Windows1251), kStatComplete);
    result.word = "\xEA\xED\xE8\xE3\xE8"; // книги
    result.baseForm = "\xEA\xED\xE8\xE3\xE0";
    EXPECT_EQ(StatusLine(result, CodePage::Windows1251),
              "Stat: Translate complete. (\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB8 \xE2\x86\x92 "
              "\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0)");
}

} // namespace
