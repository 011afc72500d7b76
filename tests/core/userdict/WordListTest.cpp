// Word lists as spreadsheets and flashcard programs write them: reading, writing, separators, headers.

#include "userdict/WordList.h"
#include "engine/LookupContext.h"
#include "userdict/DelimitedText.h"
#include "userdict/WordListReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace trelvik;

namespace {

struct Row {
    std::size_t line;
    std::vector<std::string> cells;
    bool unterminated = false;
};

struct ReadCase {
    const char *name;
    std::string text;
    char separator;
    std::vector<Row> rows;
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadDelimitedTest : public ::testing::TestWithParam<ReadCase> {};

// The text comes whole, and then one byte at a time: a piece may end anywhere, even inside a line end or the
// byte-order mark.
TEST_P(ReadDelimitedTest, SplitsRowsAndCells)
{
    std::vector<DelimitedRow> bytewise;
    const DelimitedReader::RowTaker keep = [&bytewise](DelimitedRow &row) { bytewise.push_back(row); };
    DelimitedReader reader(GetParam().separator);
    for (const char c : GetParam().text)
        reader.Feed(std::string_view(&c, 1), keep);
    reader.Finish(keep);

    for (const std::vector<DelimitedRow> &rows : {ReadDelimited(GetParam().text, GetParam().separator), bytewise}) {
        ASSERT_EQ(rows.size(), GetParam().rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].line, GetParam().rows[i].line) << "row " << i;
            EXPECT_EQ(rows[i].cells, GetParam().rows[i].cells) << "row " << i;
            EXPECT_EQ(rows[i].unterminated, GetParam().rows[i].unterminated) << "row " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadDelimitedTest,
    ::testing::Values(
        ReadCase{"spreadsheet_quoting", "\"a, b\",\"say \"\"x\"\"\",c\r\n", ',', {{1, {"a, b", "say \"x\"", "c"}}}},
        ReadCase{"quotes_inside_a_plain_cell_stay", "a\"b,c\n", ',', {{1, {"a\"b", "c"}}}},
        ReadCase{"mixed_line_ends_and_blank_lines",
                 "a,b\n\r\nc,d\re,f",
                 ',',
                 {{1, {"a", "b"}}, {3, {"c", "d"}}, {4, {"e", "f"}}}},
        ReadCase{"byte_order_mark_skipped", "\xEF\xBB\xBFru;sv\n", ';', {{1, {"ru", "sv"}}}},
        ReadCase{"start_of_a_byte_order_mark_is_text", "\xEF\xBBx\n", ',', {{1, {"\xEF\xBBx"}}}},
        ReadCase{
            "quoted_line_break_keeps_later_line_numbers", "\"x\r\ny\",z\nq\n", ',', {{1, {"x\r\ny", "z"}}, {3, {"q"}}}},
        ReadCase{"blanks_around_quotes", " \"a\" ,b ", ',', {{1, {"a", "b "}}}},
        ReadCase{"empty_cells_kept", ",,\na,,\n", ',', {{1, {"", "", ""}}, {2, {"a", "", ""}}}},
        ReadCase{"tabs_leave_commas_alone", "a,b\tc\n", '\t', {{1, {"a,b", "c"}}}},
        ReadCase{"unclosed_quote", "a\n\"b,c\nd", ',', {{1, {"a"}}, {2, {"b,c\nd"}, true}}}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(WriteDelimitedTest, QuotesOnlyWhatNeedsItAndReadsBackTheSame)
{
    std::string out;
    AppendDelimitedRow(out, {"дом", "a,b", "x"}, ',', "\r\n");
    EXPECT_EQ(out, "дом,\"a,b\",x\r\n");

    const std::vector<std::array<std::string, 3>> rows{
        {"a\tb", " lead", "trail "}, {"", "say \"x\"", "c, d"}, {"line\nbreak", "", "ok"}};
    for (const char separator : {',', '\t', ';'}) {
        std::string text;
        for (const auto &row : rows)
            AppendDelimitedRow(text, {row[0], row[1], row[2]}, separator, "\n");
        const std::vector<DelimitedRow> read = ReadDelimited(text, separator);
        ASSERT_EQ(read.size(), rows.size()) << text;
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(read[i].cells, std::vector<std::string>(rows[i].begin(), rows[i].end())) << text;
    }
}

TEST(SniffSeparatorTest, CountsTheFirstRowOutsideQuotes)
{
    EXPECT_EQ(SniffSeparator("a;b;c\nd,e,f,g,h\n", ",;"), ';');
    EXPECT_EQ(SniffSeparator("\"a;b;c\",d\n", ",;"), ',');
    EXPECT_EQ(SniffSeparator("russian\tswedish\tenglish\n", ",\t;"), '\t');
    EXPECT_EQ(SniffSeparator("word\n", ",\t;"), ',');
}

struct HeaderCase {
    const char *name;
    std::vector<std::string> cells;
    HeaderReading::Kind kind;
    WordListLayout layout;
    std::string reason;
};

void PrintTo(const HeaderCase &c, std::ostream *os)
{
    *os << c.name;
}

class HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, NamesEachLanguageOnceOrIsWords)
{
    const HeaderReading reading = ReadHeader(GetParam().cells);
    EXPECT_EQ(reading.kind, GetParam().kind);
    EXPECT_EQ(reading.layout, GetParam().layout);
    EXPECT_EQ(reading.reason, GetParam().reason);
}

using Kind = HeaderReading::Kind;
INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderTest,
    ::testing::Values(
        HeaderCase{"other_columns_left_alone",
                   {"English", " russian ", "notes", "SV"},
                   Kind::Header,
                   {Language::English, Language::Russian, std::nullopt, Language::Swedish},
                   ""},
        HeaderCase{"in_swedish", {"ryska", "svenska", "engelska"}, Kind::Header, DefaultWordListLayout(), ""},
        HeaderCase{"in_russian_capitals",
                   {"ШВЕДСКИЙ", "Английский", "русский"},
                   Kind::Header,
                   {Language::Swedish, Language::English, Language::Russian},
                   ""},
        HeaderCase{"byte_order_mark_of_a_joined_list",
                   {"\xEF\xBB\xBFrussian", "swedish", "english"},
                   Kind::Header,
                   DefaultWordListLayout(),
                   ""},
        HeaderCase{"misspelt",
                   {"russain", "swedish", "english"},
                   Kind::Refused,
                   {},
                   "the header names no russian column (\"russain\" is no language name)"},
        HeaderCase{"two_languages",
                   {"sv", "EN"},
                   Kind::Refused,
                   {},
                   "the header names no russian column (a header names russian, swedish and english)"},
        HeaderCase{
            "a_language_twice", {"russian", "russian", "english"}, Kind::Refused, {}, "the header names russian twice"},
        HeaderCase{"words_naming_one_language", {"английский", "engelska", "english"}, Kind::Words, {}, ""},
        HeaderCase{"swedish_word_en", {"один", "en", "one"}, Kind::Words, {}, ""}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(FormulaTest, ExportNeutralisesAndImportRestoresExactly)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"=1+2", "'=1+2"}, {"+46", "'+46"},  {"-ing", "'-ing"},  {"@home", "'@home"}, {"\tx", "'\tx"},
        {"'=x", "''=x"},   {"it's", "it's"}, {"'word", "'word"}, {"a=b", "a=b"},      {"", ""}};
    for (const auto &[word, exported] : cases) {
        std::string cell = word;
        NeutraliseFormula(cell);
        EXPECT_EQ(cell, exported);
        RestoreNeutralisedFormula(cell);
        EXPECT_EQ(cell, word);
    }
}

// A list read in pieces of any size gives the same rows, and a hostile row costs a bounded amount: its cells
// are counted, not kept.
TEST(WordListReaderTest, ReadsUtf16InPiecesAndBoundsHostileRows)
{
    std::vector<WordListRow> rows;
    const WordListReader::RowTaker keep = [&rows](WordListRow &row) { rows.push_back(row); };
    const std::u16string utf16 = u"\uFEFFenglish\trussian\tswedish\r\nsmile \U0001F600\tулыбка\tleende\r\n";
    WordListReader unicodeText(",\t;");
    for (const char c : std::string(reinterpret_cast<const char *>(utf16.data()), utf16.size() * 2))
        unicodeText.Feed(std::string_view(&c, 1), keep);
    unicodeText.Finish(keep);

    std::string hostile = "a";
    for (int i = 0; i < 100000; ++i)
        hostile += ",b";
    hostile += "\n" + std::string(WordListReader::kMaxCellBytes + 1, 'y') + ",a,b\n";
    WordListReader csv(",");
    csv.Feed(hostile, keep);
    csv.Finish(keep);

    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].kind, WordListRow::Kind::Words);
    EXPECT_EQ(rows[0].words, (Triple{"улыбка", "leende", "smile \U0001F600"}));
    EXPECT_EQ(rows[1].problem, "100001 cells where 3 are expected");
    EXPECT_EQ(rows[2].line, 2u);
    EXPECT_EQ(rows[2].problem, "a cell holds more than 65536 bytes");
}

} // namespace
