// Word lists as spreadsheets and flashcard programs write them: reading, writing, separators, headers.

#include "userdict/WordList.h"
#include "engine/LookupContext.h"
#include "userdict/DelimitedText.h"

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

TEST_P(ReadDelimitedTest, SplitsRowsAndCells)
{
    const std::vector<DelimitedRow> rows = ReadDelimited(GetParam().text, GetParam().separator);
    ASSERT_EQ(rows.size(), GetParam().rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].line, GetParam().rows[i].line) << "row " << i;
        EXPECT_EQ(rows[i].cells, GetParam().rows[i].cells) << "row " << i;
        EXPECT_EQ(rows[i].unterminated, GetParam().rows[i].unterminated) << "row " << i;
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

TEST(HeaderTest, NamesAtLeastTwoLanguagesOnce)
{
    WordListLayout layout;
    ASSERT_TRUE(LayoutOfHeader({"English", " russian ", "notes"}, layout));
    EXPECT_EQ(layout, (WordListLayout{kEnglishColumn, kRussianColumn, 0}));
    ASSERT_TRUE(LayoutOfHeader({"sv", "EN"}, layout));
    EXPECT_EQ(layout, (WordListLayout{kSwedishColumn, kEnglishColumn}));
    EXPECT_FALSE(LayoutOfHeader({"russian", "russian", "english"}, layout));
    EXPECT_FALSE(LayoutOfHeader({"английский", "engelska", "english"}, layout)) << "a row of words";
}

} // namespace
