#include "engine/Presentation.h"

#include <gtest/gtest.h>

using namespace trelvik;

namespace {

TranslationList translations(std::initializer_list<const char *> items)
{
    TranslationList list;
    for (const char *item : items)
        list.add(item);
    return list;
}

NearestList nearest(std::initializer_list<std::pair<const char *, const char *>> rows)
{
    NearestList list;
    for (const auto &[word, translation] : rows)
        list.add(word, translation);
    return list;
}

struct JoinCase {
    const char *name;
    std::vector<const char *> items;
    const char *joined;
    friend void PrintTo(const JoinCase &c, std::ostream *os) { *os << c.name; }
};

class JoinTranslationsTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinTranslationsTest, JoinsDistinctNonEmptyTranslations)
{
    TranslationList list;
    for (const char *item : GetParam().items)
        list.add(item);
    const TranslationList before = list;
    EXPECT_EQ(JoinTranslations(list), GetParam().joined);
    EXPECT_EQ(list.slot, before.slot) << "joining must not change the list";
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
    TranslationList list;
    std::string expected;
    for (int i = 1; i <= 20; ++i) {
        list.add("t" + std::to_string(i));
        expected += (i > 1 ? ", t" : "t") + std::to_string(i);
    }
    EXPECT_FALSE(list.add("t21"));
    EXPECT_EQ(JoinTranslations(list), expected);
}

TEST(RemoveDuplicateNearestTest, RepeatedPairsAreEmptiedAndCountKept)
{
    NearestList list = nearest({{"w", "t"}, {"x", "u"}, {"w", "t"}, {"w", "v"}, {"w", "t"}});
    RemoveDuplicateNearest(list);
    EXPECT_EQ(list.count, 5);
    EXPECT_EQ(list.row[1], (NearestRow{"w", "t"}));
    EXPECT_EQ(list.row[2], (NearestRow{"x", "u"}));
    EXPECT_EQ(list.row[3], (NearestRow{"", ""}));
    EXPECT_EQ(list.row[4], (NearestRow{"w", "v"})) << "same word, other translation is another row";
    EXPECT_EQ(list.row[5], (NearestRow{"", ""}));
}

TEST(ShowResultsTest, NothingFound)
{
    TranslationList none;
    NearestList empty;
    const Presentation shown = ShowResults(none, empty, "RUSSIAN", "SWEDISH");
    EXPECT_EQ(shown.TextPole0, "");
    EXPECT_EQ(shown.Text11, "RUSSIAN\r\n");
    EXPECT_EQ(shown.Text22, "SWEDISH\r\n");
    EXPECT_EQ(shown.statTR, kStatNotPresent);
}

TEST(ShowResultsTest, TranslationsAndNearestWordsTogether)
{
    TranslationList list = translations({"x", "y", "x"});
    NearestList rows = nearest({{"w", "t"}, {"x", "u"}, {"w", "t"}, {"w", "t"}});
    const Presentation shown = ShowResults(list, rows, "ENGLISH", "RUSSIAN");
    EXPECT_EQ(shown.TextPole0, "x, y");
    EXPECT_EQ(shown.Text11, "ENGLISH\r\nw\r\nx\r\n");
    EXPECT_EQ(shown.Text22, "RUSSIAN\r\nt\r\nu\r\n");
    EXPECT_EQ(shown.statTR, kStatComplete);
    EXPECT_EQ(shown.shownRows.size(), 2u);
}

TEST(ShowResultsTest, RowsWithAnEmptySideAreLeftOutOfBothPanes)
{
    TranslationList none;
    NearestList rows = nearest({{"a", ""}, {"", "b"}, {"c", "d"}});
    const Presentation shown = ShowResults(none, rows, "S", "T");
    EXPECT_EQ(shown.Text11, "S\r\nc\r\n");
    EXPECT_EQ(shown.Text22, "T\r\nd\r\n");
    EXPECT_EQ(shown.statTR, kStatOnlyNearest);
}

TEST(ShowResultsTest, StatusComesFromTheJoinedLineNotTheCount)
{
    TranslationList emptyOne = translations({""});
    NearestList none;
    EXPECT_EQ(ShowResults(emptyOne, none, "S", "T").statTR, kStatNotPresent);

    NearestList hidden = nearest({{"abc", ""}});
    const Presentation shown = ShowResults(emptyOne, hidden, "S", "T");
    EXPECT_EQ(shown.statTR, kStatOnlyNearest) << "rows count even when none of them can be listed";
    EXPECT_EQ(shown.Text11, "S\r\n");
}

} // namespace
