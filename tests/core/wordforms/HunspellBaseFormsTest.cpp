// Base forms from the Debian Hunspell dictionaries and the English irregular table.
#include "wordforms/HunspellBaseForms.h"

#include "engine/LookupContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace trelvik;
using testsupport::sb;

namespace {

struct FormCase {
    const char *name;
    Language language;
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

TEST_P(BaseFormsTest, GivesTheBaseFormInTheLanguagesCodePage)
{
    expectBase(forms().baseForms(sb(GetParam().word), GetParam().language), GetParam(), false);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseFormsTest,
                         ::testing::Values(FormCase{"russian_plural", Language::Russian, "книги", "книга"},
                                           FormCase{"russian_yo_stays", Language::Russian, "ёлки", "ёлка"},
                                           FormCase{"russian_past", Language::Russian, "читала", "читать"},
                                           FormCase{"swedish_definite", Language::Swedish, "husen", "hus"},
                                           FormCase{"swedish_root_form", Language::Swedish, "pojkar", "pojke"},
                                           FormCase{"swedish_supine_with_a_ring", Language::Swedish, "skrivit",
                                                    "skriva"},
                                           FormCase{"swedish_umlaut_plural", Language::Swedish, "böcker", "bok"},
                                           FormCase{"swedish_strong_past", Language::Swedish, "gick", "gå"},
                                           FormCase{"russian_other_stem_yo_typed", Language::Russian, "шёл", "идти"},
                                           FormCase{"english_irregular_first", Language::English, "went", "go"},
                                           FormCase{"english_regular", Language::English, "cities", "city"},
                                           FormCase{"english_doubled_consonant", Language::English, "stopped", "stop"},
                                           FormCase{"no_word_no_form", Language::English, "xqzv", ""},
                                           FormCase{"empty_word", Language::Russian, "", ""}),
                         [](const auto &p) { return std::string(p.param.name); });

class InflectionBasesTest : public BaseFormsTest {};

// Only a base the word is surely an inflected form of may follow a word's own translations.
TEST_P(InflectionBasesTest, FollowOnlyTrueInflections)
{
    expectBase(forms().inflectionBases(sb(GetParam().word), GetParam().language), GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InflectionBasesTest,
    ::testing::Values(FormCase{"swedish_present_with_a_noun_of_its_own", Language::Swedish, "bor", "bo"},
                      FormCase{"swedish_lemma_hunspell_also_stems", Language::Swedish, "åker", "åka"},
                      FormCase{"russian_plural_with_an_entry", Language::Russian, "рыбы", "рыба"},
                      FormCase{"english_irregular_with_an_entry", Language::English, "saw", "see"},
                      FormCase{"english_regular_plural", Language::English, "tables", "table"},
                      FormCase{"swedish_plain_word", Language::Swedish, "bra", ""},
                      FormCase{"swedish_word_hunspell_files_as_a_form", Language::Swedish, "bror", ""},
                      FormCase{"russian_lemma_with_a_homograph", Language::Russian, "мой", ""},
                      FormCase{"russian_name", Language::Russian, "франция", ""},
                      FormCase{"english_lemma", Language::English, "thing", ""},
                      FormCase{"english_short_stem", Language::English, "his", ""},
                      FormCase{"english_prefix", Language::English, "display", ""},
                      FormCase{"english_derivation", Language::English, "finally", ""}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(BaseFormsTest, IrregularFormsComeBeforeHunspellsStems)
{
    HunspellBaseForms forms;
    const std::vector<std::string> bases = forms.baseForms("better", Language::English);
    ASSERT_GE(bases.size(), 2u);
    EXPECT_EQ(bases[0], "good");
    EXPECT_EQ(bases[1], "well");
}

TEST(BaseFormsTest, MissingDictionariesNameTheirPackages)
{
    testsupport::TempAppDir empty;
    EXPECT_EQ(MissingDictionaryMessage(empty.str(), {Language::Swedish}),
              "Looking up word forms needs the package hunspell-sv: the Hunspell dictionary sv_SE is missing from "
                  + empty.str() + ".");
    EXPECT_EQ(MissingDictionaryMessage(empty.str(), {Language::Russian, Language::Swedish, Language::English}),
              "Looking up word forms needs the packages hunspell-ru, hunspell-sv and hunspell-en-us: the Hunspell "
              "dictionaries ru_RU, sv_SE and en_US are missing from "
                  + empty.str() + ".");
    EXPECT_EQ(MissingDictionaryMessage(std::string(kHunspellFolder),
                                       {Language::Russian, Language::Swedish, Language::English}),
              "");
    HunspellBaseForms without(empty.str());
    EXPECT_TRUE(without.baseForms("books", Language::English) == std::vector<std::string>{})
        << "no stems without dictionaries";
}

// A dictionary of one word with a plural rule, put as en_US into a folder of its own, then spoilt by spoil.
struct DictionaryFileCase {
    const char *name;
    std::function<void(const std::filesystem::path &aff, const std::filesystem::path &dic)> spoil;
    const char *problem; // what is said after "...cannot use the Hunspell dictionary en_US: ", with F for the
                         // folder; "" when the dictionary is usable
};

class DictionaryFiles : public ::testing::TestWithParam<DictionaryFileCase> {};

TEST_P(DictionaryFiles, AreUsedAsHunspellReadsThemOrNameTheirFault)
{
    testsupport::TempAppDir folder;
    const std::filesystem::path aff = folder.path() / "en_US.aff";
    const std::filesystem::path dic = folder.path() / "en_US.dic";
    testsupport::writeFile(aff, "SET UTF-8\nSFX S Y 1\nSFX S y ies [^aeiou]y\n");
    testsupport::writeFile(dic, "1\ncity/S\n");
    GetParam().spoil(aff, dic);

    std::string expected = GetParam().problem;
    if (!expected.empty()) {
        expected.replace(expected.find('F'), 1, folder.str());
        expected = "Looking up word forms cannot use the Hunspell dictionary en_US: " + expected + ".";
    }
    EXPECT_EQ(MissingDictionaryMessage(folder.str(), {Language::English}), expected);
    HunspellBaseForms forms(folder.str());
    EXPECT_EQ(forms.baseForms("cities", Language::English),
              expected.empty() ? std::vector<std::string>{"city"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DictionaryFiles,
    ::testing::Values(
        DictionaryFileCase{"aff_opening_with_a_byte_order_mark",
                           [](const auto &aff, const auto &) {
                               testsupport::writeFile(aff, "\xEF\xBB\xBFSET UTF-8\nSFX S Y 1\nSFX S y ies [^aeiou]y\n");
                           },
                           ""},
        DictionaryFileCase{"dic_without_its_word_count",
                           [](const auto &, const auto &dic) { testsupport::writeFile(dic, "city/S\n"); },
                           "F/en_US.dic does not begin with its number of words"},
        DictionaryFileCase{"dic_that_cannot_be_opened",
                           [](const auto &, const auto &dic) {
                               std::filesystem::remove(dic);
                               std::filesystem::create_symlink(dic, dic);
                           },
                           "Cannot open F/en_US.dic: Too many levels of symbolic links"},
        DictionaryFileCase{"dic_that_is_a_folder",
                           [](const auto &, const auto &dic) {
                               std::filesystem::remove(dic);
                               std::filesystem::create_directory(dic);
                           },
                           "F/en_US.dic is not a regular file"},
        DictionaryFileCase{"aff_larger_than_any_dictionary",
                           [](const auto &aff, const auto &) { std::filesystem::resize_file(aff, (64u << 20) + 1); },
                           "F/en_US.aff is larger than 64 MiB"}),
    [](const auto &p) { return std::string(p.param.name); });

} // namespace
