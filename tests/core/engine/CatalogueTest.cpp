#include "engine/Catalogue.h"
#include "userdict/UserDictLookup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace trelvik;
using namespace testsupport;

namespace {

struct RouterCase {
    const char *name;
    Language language;
    std::size_t rows;
    std::size_t volumes;
    friend void PrintTo(const RouterCase &c, std::ostream *os) { *os << c.name; }
};

class RouterTest : public ::testing::TestWithParam<RouterCase> {};

// Files one record per volume whose source word starts with the row's letter and whose target word is the
// volume's name, then checks that a lookup visits exactly the row's volumes, in catalogue order.
TEST_P(RouterTest, EveryRowSearchesItsVolumesInOrder)
{
    const Catalogue &catalogue = CatalogueOf(GetParam().language);
    TempAppDir dir;
    const Language target = catalogue.language == Language::Russian ? Language::Swedish : Language::Russian;
    for (const CatalogueRow &row : catalogue.rows) {
        const std::string word = std::string(1, static_cast<char>(row.letter)) + "xyz";
        for (std::string_view volume : row.volumes) {
            Triple fields;
            fields[catalogue.language] = word;
            fields[target] = std::string(volume);
            dir.putVolume(catalogue.folder, volume,
                          "\"" + fields.ru + "\",\"" + fields.sv + "\",\"" + fields.en + "\"\r\n");
        }
    }

    std::size_t volumes = 0;
    for (const CatalogueRow &row : catalogue.rows) {
        LookupContext ctx;
        ctx.word = std::string(1, static_cast<char>(row.letter)) + "xyz";
        ctx.firstLetter = ctx.word.substr(0, 1);
        ctx.from = catalogue.language;
        ctx.to = target;
        SearchCatalogue(catalogue, ctx, LookupEnvironment{dir.str(), dir.userDict(), &LookupUserDict}, false);
        ASSERT_EQ(ctx.translations.size(), row.volumes.size()) << row.volumes.front();
        for (std::size_t i = 0; i < row.volumes.size(); ++i)
            EXPECT_EQ(ctx.translations[i], row.volumes[i]);
        volumes += row.volumes.size();
    }
    EXPECT_EQ(catalogue.rows.size(), GetParam().rows);
    EXPECT_EQ(volumes, GetParam().volumes);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, RouterTest,
                         ::testing::Values(RouterCase{"russian", Language::Russian, 28, 52},
                                           RouterCase{"english", Language::English, 26, 44},
                                           RouterCase{"swedish", Language::Swedish, 29, 51}),
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
        ctx.word = sb(word);
        ctx.firstLetter = ctx.word.substr(0, 1);
        ctx.from = Language::Russian;
        ctx.to = Language::Swedish;
        SearchCatalogue(RussianCatalogue(), ctx, LookupEnvironment{dir.str(), dir.userDict(), &LookupUserDict}, true);
        if (std::string_view(word) == "арбуз") {
            ASSERT_EQ(ctx.translations.size(), 2u);
            EXPECT_EQ(ctx.translations[0], "vattenmelon");
            EXPECT_EQ(ctx.translations[1], "melon");
        } else {
            ASSERT_EQ(ctx.translations.size(), 1u);
            EXPECT_EQ(ctx.translations[0], "yoghurt");
        }

        LookupContext off = LookupContext{};
        off.word = sb(word);
        off.firstLetter = off.word.substr(0, 1);
        off.from = Language::Russian;
        off.to = Language::Swedish;
        SearchCatalogue(RussianCatalogue(), off, LookupEnvironment{dir.str(), dir.userDict(), &LookupUserDict}, false);
        EXPECT_EQ(off.translations.size(), std::string_view(word) == "арбуз" ? 1u : 0u);
    }
}

} // namespace
