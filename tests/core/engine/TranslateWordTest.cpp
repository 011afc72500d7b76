#include "engine/TranslateWord.h"
#include "base/Text.h"
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
        SetStartValues(values, dir.str(), dir.userDict(), &LookupUserDict);
    }

    TranslationRequest request(int source, int index, std::string_view word)
    {
        TranslationRequest r;
        r.Option1 = source == kRussianColumn;
        r.Option2 = source == kEnglishColumn;
        r.Option3 = source == kSwedishColumn;
        r.Combo1Index = index;
        (source == kRussianColumn ? r.Text1 : r.Text2) = sb(word);
        r.Text11 = std::string(LanguageHeading(source));
        r.Text22 = "TARGET";
        return r;
    }

    TempAppDir dir;
    ProgramValues values;
};

struct RouteCase {
    const char *name;
    int source;
    int index;
    const char *word;
    const char *translation; // nullptr: the request ends without results
    friend void PrintTo(const RouteCase &c, std::ostream *os) { *os << c.name; }
};

class TranslateRouteTest : public TranslateWordTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(TranslateRouteTest, SwitchAndTargetIndexPickColumns)
{
    const RouteCase &c = GetParam();
    const TranslationResult result = TranslateWord(values, request(c.source, c.index, c.word));
    if (!c.translation) {
        EXPECT_EQ(result.outcome, RequestOutcome::NoTargetLanguage);
        EXPECT_EQ(values.SourceWord, sb(c.word)) << "the word is taken before the target is checked";
        return;
    }
    ASSERT_EQ(result.outcome, RequestOutcome::Shown);
    EXPECT_EQ(result.shown.TextPole0, sb(c.translation));
    EXPECT_EQ(result.shown.statTR, kStatComplete);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateRouteTest,
    ::testing::Values(RouteCase{"ru_to_en", kRussianColumn, kTargetEnglish, "кошка", "cat"},
                      RouteCase{"ru_to_sv", kRussianColumn, kTargetSwedish, "кошка", "katt"},
                      RouteCase{"ru_to_ru_ends", kRussianColumn, kTargetRussian, "кошка", nullptr},
                      RouteCase{"en_to_ru", kEnglishColumn, kTargetRussian, "cat", "кошка"},
                      RouteCase{"en_to_sv", kEnglishColumn, kTargetSwedish, "cat", "katt"},
                      RouteCase{"en_to_en_ends", kEnglishColumn, kTargetEnglish, "cat", nullptr},
                      RouteCase{"sv_to_ru", kSwedishColumn, kTargetRussian, "katt", "кошка"},
                      RouteCase{"sv_to_en", kSwedishColumn, kTargetEnglish, "katt", "cat"},
                      RouteCase{"sv_to_sv_ends", kSwedishColumn, kTargetSwedish, "katt", nullptr},
                      RouteCase{"no_target_ends", kSwedishColumn, kTargetNone, "katt", nullptr},
                      RouteCase{"index_out_of_range_ends", kSwedishColumn, 7, "katt", nullptr},
                      RouteCase{"sv_capital_umlaut_lowered", kSwedishColumn, kTargetEnglish, "ÖRA", "ear"},
                      RouteCase{"ru_capitals_lowered", kRussianColumn, kTargetEnglish, "КоШкА", "cat"},
                      RouteCase{"en_capitals_lowered", kEnglishColumn, kTargetSwedish, "CAT", "katt"}),
    [](const auto &p) { return std::string(p.param.name); });

TEST_F(TranslateWordTest, NoSwitchOnLeavesEverythingAsItWas)
{
    values.SourceWord = "previous";
    TranslationRequest r = request(kRussianColumn, kTargetSwedish, "кошка");
    r.Option1 = false;
    const TranslationResult result = TranslateWord(values, r);
    EXPECT_EQ(result.outcome, RequestOutcome::NoSourceLanguage);
    EXPECT_EQ(values.SourceWord, "previous");
    EXPECT_EQ(kErrorNoSourceLanguage, "Error. Empty languse from translate");
}

TEST_F(TranslateWordTest, FirstSwitchOnWinsAndEnglishReadsText2)
{
    TranslationRequest r = request(kEnglishColumn, kTargetSwedish, "cat");
    r.Text1 = sb("кошка");
    r.Option3 = true; // english is tested before swedish
    EXPECT_EQ(TranslateWord(values, r).shown.TextPole0, "katt");
    EXPECT_EQ(values.SourceWord, "cat");
}

TEST_F(TranslateWordTest, BlanksStayInTheWord)
{
    const TranslationResult trailing = TranslateWord(values, request(kEnglishColumn, kTargetSwedish, "cat "));
    EXPECT_EQ(trailing.shown.statTR, kStatNotPresent);
    EXPECT_EQ(values.SourceWord, "cat ");

    TranslateWord(values, request(kEnglishColumn, kTargetSwedish, " cat"));
    EXPECT_EQ(values.FirstLetter, " ");
}

TEST_F(TranslateWordTest, EmptyWordStillSearchesTheUserDictionary)
{
    testsupport::writeFile(dir.userDict(), " 1 \r\n" + line("пусто", "", "empty"));
    const TranslationResult result = TranslateWord(values, request(kSwedishColumn, kTargetEnglish, ""));
    EXPECT_EQ(values.FirstLetter, "");
    EXPECT_EQ(result.shown.TextPole0, "empty");
}

TEST_F(TranslateWordTest, NearestWordsAndPanes)
{
    const TranslationResult result = TranslateWord(values, request(kEnglishColumn, kTargetRussian, "cat"));
    EXPECT_EQ(result.shown.TextPole0, sb("кошка"));
    EXPECT_EQ(result.shown.Text11, "ENGLISH\r\ncats\r\n");
    EXPECT_EQ(result.shown.Text22, "TARGET\r\n" + sb("кошки") + "\r\n");
}

TEST_F(TranslateWordTest, OptionsAreReadOnEveryRequest)
{
    testsupport::writeFile(dir.userDict(), " 1 \r\n" + line("кошка", "misse", "pussycat"));
    EXPECT_EQ(TranslateWord(values, request(kRussianColumn, kTargetSwedish, "кошка")).shown.TextPole0, "katt, misse");
    values.UseUserDict = 0;
    EXPECT_EQ(TranslateWord(values, request(kRussianColumn, kTargetSwedish, "кошка")).shown.TextPole0, "katt");
    values.FindSynonyms = false;
    EXPECT_EQ(TranslateWord(values, request(kRussianColumn, kTargetSwedish, "кошк")).shown.statTR, kStatNotPresent);
}

TEST_F(TranslateWordTest, SecondRequestStartsFromEmptyLists)
{
    const auto first = TranslateWord(values, request(kRussianColumn, kTargetSwedish, "кошка"));
    const auto second = TranslateWord(values, request(kRussianColumn, kTargetSwedish, "кошка"));
    EXPECT_EQ(first.shown.Text11, second.shown.Text11);
    EXPECT_EQ(second.shown.TextPole0, "katt");
}

struct YoCase {
    const char *name;
    int source;
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
    const int target = c.source == kRussianColumn ? kTargetEnglish : kTargetRussian;
    const Presentation shown = TranslateWord(values, request(c.source, target, c.word)).shown;
    EXPECT_EQ(shown.TextPole0, sb(c.translation));
    const std::string firstNearest = shown.shownRows.empty() ? "" : shown.shownRows.front().word;
    EXPECT_EQ(firstNearest, sb(c.nearest));
}

INSTANTIATE_TEST_SUITE_P(Cases, YoAsYeTest,
                         ::testing::Values(YoCase{"first_letter_yo_finds_ye_volume", kRussianColumn, "ёль", "fir", ""},
                                           YoCase{"capital_yo", kRussianColumn, "ЁЛЬ", "fir", ""},
                                           YoCase{"yo_inside_word", kRussianColumn, "пёс", "dog", ""},
                                           YoCase{"yo_in_nearest_words", kRussianColumn, "ёлоч", "", "елочка"},
                                           YoCase{"user_dict_yo_found_by_ye", kRussianColumn, "еж", "hedgehog", ""},
                                           YoCase{"user_dict_yo_found_by_yo", kRussianColumn, "ёж", "hedgehog", ""},
                                           YoCase{"capital_yo_stays_a_capital", kRussianColumn, "елкин", "", ""},
                                           YoCase{"not_folded_outside_russian", kEnglishColumn, "xåy", "", ""}),
                         [](const auto &p) { return std::string(p.param.name); });

// Base forms from a fixed table, counting the questions.
class TableForms : public BaseForms {
public:
    std::vector<std::string> baseForms(std::string_view word, int column) override
    {
        ++asked;
        lastColumn = column;
        return word == sb("кошками") ? std::vector<std::string>{sb("кошками"), sb("кошкам"), sb("КОШКА"), sb("кошки")}
                                     : std::vector<std::string>{};
    }
    int asked = 0;
    int lastColumn = 0;
};

// The same, and кошки an inflected form of two words.
class InflectingForms : public TableForms {
public:
    std::vector<std::string> inflectionBases(std::string_view word, int) override
    {
        return word == sb("кошки") ? std::vector<std::string>{sb("кошечки"), sb("кошка")} : std::vector<std::string>{};
    }
};

TEST_F(TranslateWordTest, WordFormsFallBackOnTheFirstBaseFormWithTranslations)
{
    TableForms forms;
    values.WordForms = &forms;
    const Presentation shown = TranslateWord(values, request(kRussianColumn, kTargetEnglish, "Кошками")).shown;
    EXPECT_EQ(shown.TextPole0, "cat") << "the word itself and a form without translations are passed over";
    EXPECT_EQ(shown.statTR, kStatComplete);
    EXPECT_EQ(shown.formOf, sb("кошками"));
    EXPECT_EQ(shown.baseForm, sb("кошка")) << "base forms are lower-cased like typed words";
    EXPECT_EQ(forms.lastColumn, kRussianColumn);
    EXPECT_EQ(values.SourceWord, sb("кошками")) << "the request's word stays the typed one";

    // A word with translations of its own never asks; a word whose forms find nothing shows its own results.
    EXPECT_EQ(TranslateWord(values, request(kRussianColumn, kTargetEnglish, "кошки")).shown.TextPole0, "cats");
    EXPECT_EQ(forms.asked, 1);
    const Presentation none = TranslateWord(values, request(kRussianColumn, kTargetEnglish, "кош")).shown;
    EXPECT_EQ(none.statTR, kStatOnlyNearest);
    EXPECT_TRUE(none.baseForm.empty());

    values.WordForms = nullptr;
    EXPECT_EQ(TranslateWord(values, request(kRussianColumn, kTargetEnglish, "кошками")).shown.statTR, kStatNotPresent);
}

TEST_F(TranslateWordTest, WordFormsPutTheBaseFormsTranslationsAfterTheWordsOwn)
{
    dir.putVolume("ru", "mRK1",
                  line("кошка", "katt", "cat") + line("кошки", "katter", "cats")
                      + line("кошечки", "kattungar", "cats"));
    InflectingForms forms;
    values.WordForms = &forms;
    const Presentation shown = TranslateWord(values, request(kRussianColumn, kTargetEnglish, "кошки")).shown;
    EXPECT_EQ(shown.TextPole0, "cats, cat") << "a base form that adds no translation is passed over";
    EXPECT_EQ(shown.formOf + "/" + shown.baseForm, sb("кошки/кошка"));

    values.WordForms = nullptr;
    const Presentation off = TranslateWord(values, request(kRussianColumn, kTargetEnglish, "кошки")).shown;
    EXPECT_EQ(off.TextPole0, "cats");
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
