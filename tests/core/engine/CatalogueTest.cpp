#include "engine/Catalogue.h"
#include "userdict/UserDictLookup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace trelvik;
using namespace testsupport;

namespace {

using Router = void (*)(LookupContext &, const LookupEnvironment &);

struct RouterCase {
    const char *name;
    const Catalogue &(*catalogue)();
    Router router;
    std::size_t rows;
    std::size_t volumes;
    friend void PrintTo(const RouterCase &c, std::ostream *os) { *os << c.name; }
};

class RouterTest : public ::testing::TestWithParam<RouterCase> {};

// Files one record per volume whose source word starts with the row's letter and whose target word is the
// volume's name, then checks that a lookup visits exactly the row's volumes, in catalogue order.
TEST_P(RouterTest, EveryRowSearchesItsVolumesInOrder)
{
    const Catalogue &catalogue = GetParam().catalogue();
    TempAppDir dir;
    const int target = catalogue.sourceColumn == kRussianColumn ? kSwedishColumn : kRussianColumn;
    for (const CatalogueRow &row : catalogue.rows) {
        const std::string word = std::string(1, static_cast<char>(row.letter)) + "xyz";
        for (std::string_view volume : row.volumes) {
            std::array<std::string, 3> fields{"", "", ""};
            fields[static_cast<std::size_t>(catalogue.sourceColumn - 1)] = word;
            fields[static_cast<std::size_t>(target - 1)] = std::string(volume);
            dir.putVolume(catalogue.folder, volume,
                          "\"" + fields[0] + "\",\"" + fields[1] + "\",\"" + fields[2] + "\"\r\n");
        }
    }

    std::size_t volumes = 0;
    for (const CatalogueRow &row : catalogue.rows) {
        LookupContext ctx;
        ctx.SourceWord = std::string(1, static_cast<char>(row.letter)) + "xyz";
        ctx.FirstLetter = ctx.SourceWord.substr(0, 1);
        ctx.SourceColumn = catalogue.sourceColumn;
        ctx.TargetColumn = target;
        GetParam().router(ctx, LookupEnvironment{dir.str(), 0, dir.userDict(), &LookupUserDict});
        ASSERT_EQ(static_cast<std::size_t>(ctx.Translations.count), row.volumes.size()) << row.volumes.front();
        for (std::size_t i = 0; i < row.volumes.size(); ++i)
            EXPECT_EQ(ctx.Translations.slot[i + 1], row.volumes[i]);
        volumes += row.volumes.size();
    }
    EXPECT_EQ(catalogue.rows.size(), GetParam().rows);
    EXPECT_EQ(volumes, GetParam().volumes);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, RouterTest,
                         ::testing::Values(RouterCase{"russian", &RussianCatalogue, &LookupRussian, 28, 52},
                                           RouterCase{"english", &EnglishCatalogue, &LookupEnglish, 26, 44},
                                           RouterCase{"swedish", &SwedishCatalogue, &LookupSwedish, 29, 51}),
                         [](const auto &p) { return std::string(p.param.name); });

struct RowCase {
    const char *name;
    const Catalogue &(*catalogue)();
    std::string letter;
    std::vector<std::string_view> volumes; // empty: the letter has no row
    friend void PrintTo(const RowCase &c, std::ostream *os) { *os << c.name; }
};

class CatalogueRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(CatalogueRowTest, LetterPicksItsRow)
{
    const CatalogueRow *row = GetParam().catalogue().rowFor(GetParam().letter);
    if (GetParam().volumes.empty()) {
        EXPECT_EQ(row, nullptr);
        return;
    }
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->volumes, GetParam().volumes);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, CatalogueRowTest,
    ::testing::Values(
        RowCase{"ru_pe_six_volumes", &RussianCatalogue, sb("п"), {"mRP1", "mRP2", "mRP3", "mRP4", "mRP5", "mRP6"}},
        RowCase{"ru_ge", &RussianCatalogue, sb("г"), {"mRG1"}},
        RowCase{"ru_ze", &RussianCatalogue, sb("з"), {"mRZ1", "mRZ2"}},
        RowCase{"ru_shcha", &RussianCatalogue, sb("щ"), {"mRSCH1"}},
        RowCase{"ru_ya", &RussianCatalogue, sb("я"), {"mRYA1"}},
        RowCase{"ru_short_i_has_none", &RussianCatalogue, sb("й"), {}},
        RowCase{"ru_hard_sign_has_none", &RussianCatalogue, sb("ъ"), {}},
        RowCase{"ru_yery_has_none", &RussianCatalogue, sb("ы"), {}},
        RowCase{"ru_soft_sign_has_none", &RussianCatalogue, sb("ь"), {}},
        RowCase{"ru_yo_files_under_ye", &RussianCatalogue, sb("ё"), {"mRE1"}},
        RowCase{"sv_no_yo_folding", &SwedishCatalogue, "\xB8", {}},
        RowCase{"ru_capital_is_not_folded", &RussianCatalogue, sb("П"), {}},
        RowCase{"sv_o_umlaut", &SwedishCatalogue, sb("ö"), {"mSOE1"}},
        RowCase{"sv_a_ring", &SwedishCatalogue, sb("å"), {"mSAO1"}},
        RowCase{"sv_a_umlaut", &SwedishCatalogue, sb("ä"), {"mSAE1"}},
        RowCase{"sv_o", &SwedishCatalogue, "o", {"mSO1"}},
        RowCase{"sv_s_five", &SwedishCatalogue, "s", {"mSS1", "mSS2", "mSS3", "mSS4", "mSS5"}},
        RowCase{"en_c_four", &EnglishCatalogue, "c", {"mEC1", "mEC2", "mEC3", "mEC4"}},
        RowCase{"en_digit_has_none", &EnglishCatalogue, "7", {}},
        RowCase{"en_apostrophe_has_none", &EnglishCatalogue, "'", {}},
        RowCase{"en_blank_has_none", &EnglishCatalogue, " ", {}},
        RowCase{"en_empty_has_none", &EnglishCatalogue, "", {}},
        RowCase{"en_two_letters_is_no_letter", &EnglishCatalogue, "ab", {}}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(CatalogueTest, VolumeNamesAreUniqueAndPathsUseTheLanguageFolder)
{
    std::set<std::string> names;
    std::size_t total = 0;
    for (const Catalogue *catalogue : AllCatalogues()) {
        for (const CatalogueRow &row : catalogue->rows) {
            for (std::string_view volume : row.volumes) {
                names.insert(std::string(volume));
                ++total;
            }
        }
    }
    EXPECT_EQ(total, 147u);
    EXPECT_EQ(names.size(), 147u);
    EXPECT_EQ(RussianCatalogue().volumePath("/app", "mRA1"), "/app/data/ru/mRA1.dct");
    EXPECT_EQ(SwedishCatalogue().volumePath("/a b", "mSOE1"), "/a b/data/sv/mSOE1.dct");
}

TEST(RouterUserDictTest, UserDictionaryIsSearchedAfterTheVolumesEvenWithoutARow)
{
    TempAppDir dir;
    dir.putVolume("ru", "mRA1", testsupport::line("арбуз", "vattenmelon", "watermelon"));
    testsupport::writeFile(dir.userDict(), " 2 \r\n" + testsupport::line("арбуз", "melon", "melon")
                                               + testsupport::line("йогурт", "yoghurt", "yogurt"));

    for (const char *word : {"арбуз", "йогурт"}) {
        LookupContext ctx;
        ctx.SourceWord = sb(word);
        ctx.FirstLetter = ctx.SourceWord.substr(0, 1);
        ctx.SourceColumn = kRussianColumn;
        ctx.TargetColumn = kSwedishColumn;
        LookupRussian(ctx, LookupEnvironment{dir.str(), 1, dir.userDict(), &LookupUserDict});
        if (std::string_view(word) == "арбуз") {
            ASSERT_EQ(ctx.Translations.count, 2);
            EXPECT_EQ(ctx.Translations.slot[1], "vattenmelon");
            EXPECT_EQ(ctx.Translations.slot[2], "melon");
        } else {
            ASSERT_EQ(ctx.Translations.count, 1);
            EXPECT_EQ(ctx.Translations.slot[1], "yoghurt");
        }

        LookupContext off = LookupContext{};
        off.SourceWord = sb(word);
        off.FirstLetter = off.SourceWord.substr(0, 1);
        off.SourceColumn = kRussianColumn;
        off.TargetColumn = kSwedishColumn;
        LookupRussian(off, LookupEnvironment{dir.str(), 0, dir.userDict()});
        EXPECT_EQ(off.Translations.count, std::string_view(word) == "арбуз" ? 1 : 0);
    }
}

} // namespace
