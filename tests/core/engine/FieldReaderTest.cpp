#include "engine/FieldReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using trelvik::FieldReader;

namespace {

std::vector<std::string> allFields(std::string_view bytes)
{
    FieldReader reader(bytes);
    std::vector<std::string> fields;
    while (!reader.atEnd())
        fields.emplace_back(reader.next());
    return fields;
}

struct SyntaxCase {
    const char *name;
    std::string bytes;
    std::vector<std::string> fields;
    friend void PrintTo(const SyntaxCase &c, std::ostream *os) { *os << c.name; }
};

class FieldSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(FieldSyntax, SplitsAsWritten)
{
    EXPECT_EQ(allFields(GetParam().bytes), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldSyntax,
    ::testing::Values(SyntaxCase{"written_form", "\"a\",\"b\",\"c\"\r\n", {"a", "b", "c"}},
                      SyntaxCase{"quoted_keeps_blanks_and_commas", "\" a, b \",x\r\n", {" a, b ", "x"}},
                      SyntaxCase{"unquoted_is_trimmed", "  word  ,  two words \r\n", {"word", "two words"}},
                      SyntaxCase{"two_separators_give_empty_field", "a,,b", {"a", "", "b"}},
                      SyntaxCase{"line_ends_separate_like_commas", "a\r\nb\r\nc", {"a", "b", "c"}},
                      SyntaxCase{"lf_only_file", "a\nb\nc", {"a", "b", "c"}},
                      // A file converted to CR LF twice, or edited with a tool that mixed line ends.
                      SyntaxCase{"cr_cr_lf_after_quotes", "\"a\"\r\r\n\"b\"", {"a", "b"}},
                      SyntaxCase{"cr_cr_lf_after_unquoted", "a\r\r\nb", {"a", "b"}},
                      SyntaxCase{"lf_before_cr_lf", "\"a\"\n\r\n\"b\"\r\n", {"a", "b"}},
                      SyntaxCase{"lone_lf_before_a_field", "a\r\n\nb\r\n", {"a", "b"}},
                      SyntaxCase{"lone_cr_inside_a_word", "a\rb\r\nc", {"a\rb", "c"}},
                      SyntaxCase{"junk_after_closing_quote_ignored", "\"a\"xyz,b", {"a", "b"}},
                      SyntaxCase{"unmatched_quote_runs_to_end", "a,\"b,c\r\nd", {"a", "b,c\r\nd"}},
                      SyntaxCase{"empty_quoted", "\"\",\"\",\"\"\r\n", {"", "", ""}},
                      SyntaxCase{"tab_counts_as_blank", "\t\"a\"\t,b", {"a", "b"}},
                      SyntaxCase{"comma_at_end_of_data_adds_nothing", "a,", {"a"}},
                      SyntaxCase{"high_bytes_untouched", "\"\xE4\xEE\xEC\",\"\xE5\"", {"\xE4\xEE\xEC", "\xE5"}}),
    [](const ::testing::TestParamInfo<SyntaxCase> &p) { return std::string(p.param.name); });

TEST(FieldReaderTest, RecordSplitOverLinesReadsLikeOneLine)
{
    FieldReader split("\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    FieldReader joined("\"a\",\"b\",\"c\"\r\n");
    trelvik::RecordView a, b;
    EXPECT_EQ(split.nextRecord(a), 3);
    EXPECT_EQ(joined.nextRecord(b), 3);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(split.atEnd());
}

TEST(FieldReaderTest, ReportsRecordCutShortByEndOfData)
{
    FieldReader reader("\"a\",\"b\"");
    trelvik::RecordView record;
    EXPECT_EQ(reader.nextRecord(record), 2);
    EXPECT_EQ(record.ru, "a");
    EXPECT_EQ(record.sv, "b");
    EXPECT_EQ(record.en, "");
}

TEST(FieldReaderTest, FinalLineEndLeavesNothingToRead)
{
    FieldReader reader("\"a\",\"b\",\"c\"\r\n");
    trelvik::RecordView record;
    reader.nextRecord(record);
    EXPECT_TRUE(reader.atEnd());
}

} // namespace
