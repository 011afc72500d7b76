// Base forms from the Debian Hunspell dictionaries and the English irregular table.
#include "wordforms/HunspellBaseForms.h"

#include "engine/LookupContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace trelvik;
using testsupport::sb;

namespace {

struct FormCase {
    const char *name;
    int column;
    const char *word;
    const char *base; // "" when no base form may be given
};

class BaseFormsTest : public ::testing::TestWithParam<FormCase> {
protected:
    static HunspellBaseForms &forms()
    {
        static HunspellBaseForms instance;
        return instance;
    }
};

// None when the case expects no base form, else the expected one among bases (or first of them).
void expectBase(const std::vector<std::string> &bases, const FormCase &c, bool first)
{
    if (*c.base == '\0') {
        EXPECT_TRUE(bases.empty()) << bases.front();
        return;
    }
    const auto found = std::find(bases.begin(), bases.end(), sb(c.base));
    EXPECT_TRUE(first ? found == bases.begin() : found != bases.end()) << c.word;
}

TEST_P(BaseFormsTest, GivesTheBaseFormInTheColumnsCodePage)
{
    expectBase(forms().baseForms(sb(GetParam().word), GetParam().column), GetParam(), false);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseFormsTest,
                         ::testing::Values(FormCase{"russian_plural", kRussianColumn, "книги", "книга"},
                                           FormCase{"russian_yo_stays", kRussianColumn, "ёлки", "ёлка"},
                                           FormCase{"russian_past", kRussianColumn, "читала", "читать"},
                                           FormCase{"swedish_definite", kSwedishColumn, "husen", "hus"},
                                           FormCase{"swedish_root_form", kSwedishColumn, "pojkar", "pojke"},
                                           FormCase{"swedish_supine_with_a_ring", kSwedishColumn, "skrivit", "skriva"},
                                           FormCase{"swedish_umlaut_plural", kSwedishColumn, "böcker", "bok"},
                                           FormCase{"swedish_strong_past", kSwedishColumn, "gick", "gå"},
                                           FormCase{"russian_other_stem_yo_typed", kRussianColumn, "шёл", "идти"},
                                           FormCase{"english_irregular_first", kEnglishColumn, "went", "go"},
                                           FormCase{"english_regular", kEnglishColumn, "cities", "city"},
                                           FormCase{"english_doubled_consonant", kEnglishColumn, "stopped", "stop"},
                                           FormCase{"no_word_no_form", kEnglishColumn, "xqzv", ""},
                                           FormCase{"empty_word", kRussianColumn, "", ""},
                                           FormCase{"bad_column", 4, "books", ""}),
                         [](const auto &p) { return std::string(p.param.name); });

class InflectionBasesTest : public BaseFormsTest {};

// Only a base the word is surely an inflected form of may follow a word's own translations.
TEST_P(InflectionBasesTest, FollowOnlyTrueInflections)
{
    expectBase(forms().inflectionBases(sb(GetParam().word), GetParam().column), GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InflectionBasesTest,
    ::testing::Values(FormCase{"swedish_present_with_a_noun_of_its_own", kSwedishColumn, "bor", "bo"},
                      FormCase{"swedish_lemma_hunspell_also_stems", kSwedishColumn, "åker", "åka"},
                      FormCase{"russian_plural_with_an_entry", kRussianColumn, "рыбы", "рыба"},
                      FormCase{"english_irregular_with_an_entry", kEnglishColumn, "saw", "see"},
                      FormCase{"english_regular_plural", kEnglishColumn, "tables", "table"},
                      FormCase{"swedish_plain_word", kSwedishColumn, "bra", ""},
                      FormCase{"swedish_word_hunspell_files_as_a_form", kSwedishColumn, "bror", ""},
                      FormCase{"russian_lemma_with_a_homograph", kRussianColumn, "мой", ""},
                      FormCase{"russian_name", kRussianColumn, "франция", ""},
                      FormCase{"english_lemma", kEnglishColumn, "thing", ""},
                      FormCase{"english_short_stem", kEnglishColumn, "his", ""},
                      FormCase{"english_prefix", kEnglishColumn, "display", ""},
                      FormCase{"english_derivation", kEnglishColumn, "finally", ""}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(BaseFormsTest, IrregularFormsComeBeforeHunspellsStems)
{
    HunspellBaseForms forms;
    const std::vector<std::string> bases = forms.baseForms("better", kEnglishColumn);
    ASSERT_GE(bases.size(), 2u);
    EXPECT_EQ(bases[0], "good");
    EXPECT_EQ(bases[1], "well");
}

TEST(BaseFormsTest, MissingDictionariesNameTheirPackages)
{
    testsupport::TempAppDir empty;
    EXPECT_EQ(MissingDictionaryMessage(empty.str(), {kSwedishColumn}),
              "Looking up word forms needs the package hunspell-sv: the Hunspell dictionary sv_SE is missing from "
                  + empty.str() + ".");
    EXPECT_EQ(MissingDictionaryMessage(empty.str(), {kRussianColumn, kSwedishColumn, kEnglishColumn}),
              "Looking up word forms needs the packages hunspell-ru, hunspell-sv and hunspell-en-us: the Hunspell "
              "dictionaries ru_RU, sv_SE and en_US are missing from "
                  + empty.str() + ".");
    EXPECT_EQ(MissingDictionaryMessage(std::string(kHunspellFolder), {kRussianColumn, kSwedishColumn, kEnglishColumn}),
              "");
    HunspellBaseForms without(empty.str());
    EXPECT_TRUE(without.baseForms("books", kEnglishColumn) == std::vector<std::string>{})
        << "no stems without dictionaries";
}

} // namespace
