#include "engine/TranslateWord.h"
#include "base/Text.h"
#include "engine/Presentation.h"
#include "userdict/UserDictLookup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace trelvik;
using namespace testsupport;

namespace {

// One entry, filed under its word's first letter in all three language folders.
class TranslateWordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.putVolume("ru", "mRK1", line("кошка", "katt", "cat") + line("кошки", "katter", "cats"));
        dir.putVolume("sv", "mSK1", line("кошка", "katt", "cat") + line("котёнок", "kattunge", "kitten"));
        dir.putVolume("en", "mEC1", line("кошка", "katt", "cat") + line("кошки", "katter", "cats"));
        dir.putVolume("sv", "mSOE1", line("остров", "ö", "island") + line("ухо", "öra", "ear"));
        env = LookupEnvironment{dir.str(), dir.userDict(), &LookupUserDict};
    }

    LookupResult translate(Language from, Language to, std::string_view word)
    {
        query.word = sb(word);
        query.from = from;
        query.to = to;
        return TranslateWord(query, env);
    }

    TempAppDir dir;
    LookupEnvironment env;
    LookupQuery query;
};

struct RouteCase {
    const char *name;
    Language from;
    Language to;
    const char *word;
    const char *translation; // nullptr: nothing is searched
    friend void PrintTo(const RouteCase &c, std::ostream *os) { *os << c.name; }
};

class TranslateRouteTest : public TranslateWordTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(TranslateRouteTest, LanguagesPickTheStoredWords)
{
    const RouteCase &c = GetParam();
    const LookupResult result = translate(c.from, c.to, c.word);
    EXPECT_EQ(JoinTranslations(result.translations), sb(c.translation ? c.translation : ""));
    EXPECT_EQ(result.status, c.translation ? LookupStatus::Translated : LookupStatus::NotPresent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateRouteTest,
    ::testing::Values(RouteCase{"ru_to_en", Language::Russian, Language::English, "кошка", "cat"},
                      RouteCase{"ru_to_sv", Language::Russian, Language::Swedish, "кошка", "katt"},
                      RouteCase{"ru_to_ru_searches_nothing", Language::Russian, Language::Russian, "кошка", nullptr},
                      RouteCase{"en_to_ru", Language::English, Language::Russian, "cat", "кошка"},
                      RouteCase{"en_to_sv", Language::English, Language::Swedish, "cat", "katt"},
                      RouteCase{"sv_to_ru", Language::Swedish, Language::Russian, "katt", "кошка"},
                      RouteCase{"sv_to_en", Language::Swedish, Language::English, "katt", "cat"},
                      RouteCase{"sv_capital_umlaut_lowered", Language::Swedish, Language::English, "ÖRA", "ear"},
                      RouteCase{"ru_capitals_lowered", Language::Russian, Language::English, "КоШкА", "cat"},
                      RouteCase{"en_capitals_lowered", Language::English, Language::Swedish, "CAT", "katt"}),
    [](const auto &p) { return std::string(p.param.name); });

TEST_F(TranslateWordTest, BlanksStayInTheWord)
{
    const LookupResult trailing = translate(Language::English, Language::Swedish, "cat ");
    EXPECT_EQ(trailing.status, LookupStatus::NotPresent);
    EXPECT_EQ(trailing.word, "cat ");
    EXPECT_EQ(translate(Language::English, Language::Swedish, " cat").status, LookupStatus::NotPresent);
}

TEST_F(TranslateWordTest, EmptyWordStillSearchesTheUserDictionary)
{
    testsupport::writeFile(dir.userDict(), " 1 \r\n" + line("пусто", "", "empty"));
    EXPECT_EQ(translate(Language::Swedish, Language::English, "").translations, (std::vector<std::string>{"empty"}));
}

TEST_F(TranslateWordTest, NearestWordsComeWithTheirTranslations)
{
    const LookupResult result = translate(Language::English, Language::Russian, "cat");
    EXPECT_EQ(result.translations, (std::vector<std::string>{sb("кошка")}));
    EXPECT_EQ(result.nearest, (std::vector<NearestPair>{{"cats", sb("кошки")}}));
}

TEST_F(TranslateWordTest, OptionsAreReadOnEveryRequest)
{
    testsupport::writeFile(dir.userDict(), " 1 \r\n" + line("кошка", "misse", "pussycat"));
    EXPECT_EQ(JoinTranslations(translate(Language::Russian, Language::Swedish, "кошка").translations), "katt, misse");
    query.useUserDict = false;
    EXPECT_EQ(JoinTranslations(translate(Language::Russian, Language::Swedish, "кошка").translations), "katt");
    query.findSynonyms = false;
    EXPECT_EQ(translate(Language::Russian, Language::Swedish, "кошк").status, LookupStatus::NotPresent);
}

struct YoCase {
    const char *name;
    Language from;
    const char *word;
    const char *translation;
    const char *nearest; // first nearest word, "" for none
};

class YoAsYeTest : public TranslateWordTest, public ::testing::WithParamInterface<YoCase> {};

// Volumes spell Russian words with е; the user dictionary may hold either spelling.
TEST_P(YoAsYeTest, RussianWordsMatchWhicheverLetterIsTyped)
{
    const YoCase &c = GetParam();
    dir.putVolume("ru", "mRE1", line("ель", "gran", "fir") + line("елочка", "julgran", "christmas tree"));
    dir.putVolume("ru", "mRP1", line("пес", "hund", "dog"));
    dir.putVolume("en", "mEX1", line("икс", "x", "x\u00b8y"));
    testsupport::writeFile(dir.userDict(),
                           " 2 \r\n" + line("ёж", "igelkott", "hedgehog") + line("Ёлкин", "Jolkin", "Yolkin"));
    const Language to = c.from == Language::Russian ? Language::English : Language::Russian;
    const LookupResult result = translate(c.from, to, c.word);
    EXPECT_EQ(JoinTranslations(result.translations), sb(c.translation));
    const std::string firstNearest = result.nearest.empty() ? "" : result.nearest.front().word;
    EXPECT_EQ(firstNearest, sb(c.nearest));
}

INSTANTIATE_TEST_SUITE_P(Cases, YoAsYeTest,
                         ::testing::Values(YoCase{"first_letter_yo_finds_ye_volume", Language::Russian, "ёль", "fir",
                                                  ""},
                                           YoCase{"capital_yo", Language::Russian, "ЁЛЬ", "fir", ""},
                                           YoCase{"yo_inside_word", Language::Russian, "пёс", "dog", ""},
                                           YoCase{"yo_in_nearest_words", Language::Russian, "ёлоч", "", "елочка"},
                                           YoCase{"user_dict_yo_found_by_ye", Language::Russian, "еж", "hedgehog", ""},
                                           YoCase{"user_dict_yo_found_by_yo", Language::Russian, "ёж", "hedgehog", ""},
                                           YoCase{"capital_yo_stays_a_capital", Language::Russian, "елкин", "", ""},
                                           YoCase{"not_folded_outside_russian", Language::English, "xåy", "", ""}),
                         [](const auto &p) { return std::string(p.param.name); });

// Base forms from a fixed table, counting the questions.
class TableForms : public BaseForms {
public:
    std::vector<std::string> baseForms(std::string_view word, Language language) override
    {
        ++asked;
        lastLanguage = language;
        return word == sb("кошками") ? std::vector<std::string>{sb("кошками"), sb("кошкам"), sb("КОШКА"), sb("кошки")}
                                     : std::vector<std::string>{};
    }
    int asked = 0;
    Language lastLanguage = Language::English;
};

// The same, and кошки an inflected form of two words.
class InflectingForms : public TableForms {
public:
    std::vector<std::string> inflectionBases(std::string_view word, Language) override
    {
        return word == sb("кошки") ? std::vector<std::string>{sb("кошечки"), sb("кошка")} : std::vector<std::string>{};
    }
};

TEST_F(TranslateWordTest, WordFormsFallBackOnTheFirstBaseFormWithTranslations)
{
    TableForms forms;
    env.baseForms = &forms;
    const LookupResult result = translate(Language::Russian, Language::English, "Кошками");
    EXPECT_EQ(JoinTranslations(result.translations), "cat")
        << "the word itself and a form without translations are passed over";
    EXPECT_EQ(result.status, LookupStatus::Translated);
    EXPECT_EQ(result.word, sb("кошками")) << "the result's word stays the typed one";
    EXPECT_EQ(result.baseForm, sb("кошка")) << "base forms are lower-cased like typed words";
    EXPECT_EQ(forms.lastLanguage, Language::Russian);

    // A word with translations of its own never asks; a word whose forms find nothing shows its own results.
    EXPECT_EQ(JoinTranslations(translate(Language::Russian, Language::English, "кошки").translations), "cats");
    EXPECT_EQ(forms.asked, 1);
    const LookupResult none = translate(Language::Russian, Language::English, "кош");
    EXPECT_EQ(none.status, LookupStatus::OnlyNearest);
    EXPECT_TRUE(none.baseForm.empty());

    env.baseForms = nullptr;
    EXPECT_EQ(translate(Language::Russian, Language::English, "кошками").status, LookupStatus::NotPresent);
}

TEST_F(TranslateWordTest, WordFormsPutTheBaseFormsTranslationsAfterTheWordsOwn)
{
    dir.putVolume("ru", "mRK1",
                  line("кошка", "katt", "cat") + line("кошки", "katter", "cats")
                      + line("кошечки", "kattungar", "cats"));
    InflectingForms forms;
    env.baseForms = &forms;
    const LookupResult result = translate(Language::Russian, Language::English, "кошки");
    EXPECT_EQ(JoinTranslations(result.translations), "cats, cat")
        << "a base form that adds no translation is passed over";
    EXPECT_EQ(result.word + "/" + result.baseForm, sb("кошки/кошка"));

    env.baseForms = nullptr;
    const LookupResult off = translate(Language::Russian, Language::English, "кошки");
    EXPECT_EQ(JoinTranslations(off.translations), "cats");
    EXPECT_TRUE(off.baseForm.empty());
}

struct LowerCase {
    const char *name;
    CodePage codePage;
    std::string in;
    std::string out;
    friend void PrintTo(const LowerCase &c, std::ostream *os) { *os << c.name; }
};

class LowerCaseWordTest : public ::testing::TestWithParam<LowerCase> {};

TEST_P(LowerCaseWordTest, OnlyTheListedCapitalsChange)
{
    EXPECT_EQ(LowerCaseWord(GetParam().in, GetParam().codePage), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LowerCaseWordTest,
    ::testing::Values(LowerCase{"latin", CodePage::Windows1252, "Hello World", "hello world"},
                      LowerCase{"swedish", CodePage::Windows1252, sb("ÅÄÖ"), sb("åäö")},
                      LowerCase{"other_latin1_capitals_stay", CodePage::Windows1252, sb("ÉÜØ"), sb("ÉÜØ")},
                      LowerCase{"russian_all_capitals", CodePage::Windows1251, sb("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"),
                                sb("абвгдежзийклмнопрстуфхцчшщъыьэюя")},
                      LowerCase{"russian_yo", CodePage::Windows1251, sb("Ёж"), sb("ёж")},
                      LowerCase{"latin_in_russian_field", CodePage::Windows1251, "ABC", "abc"},
                      LowerCase{"digits_and_blanks_stay", CodePage::Windows1251, " 1-2 ", " 1-2 "}),
    [](const auto &p) { return std::string(p.param.name); });

} // namespace
