#include "base/TypedText.h"

#include <gtest/gtest.h>

using namespace trelvik;

namespace {

struct TypedCase {
    const char *name;
    CodePage codePage;
    const char *typed;  // UTF-8
    const char *stored; // single-byte, or nullptr when refused
};

class TypedTextTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedTextTest, ComposesDropsLoneStressMarksAndRefusesWhatDoesNotFit)
{
    const TypedCase &c = GetParam();
    std::string bytes;
    EXPECT_EQ(TypedToSingleByte(c.typed, c.codePage, bytes), c.stored != nullptr);
    EXPECT_EQ(bytes, c.stored ? c.stored : "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedTextTest,
    ::testing::Values(TypedCase{"base_and_acute_compose", CodePage::Windows1252, "cafe\xCC\x81", "caf\xE9"},
                      TypedCase{"stress_mark_dropped", CodePage::Windows1251, "\xD0\xBE\xCC\x81", "\xEE"},
                      TypedCase{"russian_e_grave_is_e", CodePage::Windows1251, "\xD1\x90", "\xE5"},
                      TypedCase{"short_i_stays_one_letter", CodePage::Windows1251, "\xD0\xB8\xCC\x86", "\xE9"},
                      TypedCase{"latin_n_acute_refused", CodePage::Windows1252, "\xC5\x84", nullptr},
                      TypedCase{"not_utf8_refused", CodePage::Windows1252, "\xFF", nullptr}),
    [](const auto &p) { return std::string(p.param.name); });

TEST(TypedTextTest, RefusalNamesTheWholeCharacter)
{
    std::string bytes;
    TextRefusal refusal;
    ASSERT_FALSE(TypedToSingleByte("a\xF0\x9F\x98\x80", CodePage::Windows1252, bytes, &refusal));
    EXPECT_EQ(refusal.codePoint, U'\U0001F600');
    EXPECT_EQ(refusal.message, "The character \xE2\x80\x9C\xF0\x9F\x98\x80\xE2\x80\x9D (U+1F600) cannot be written in "
                               "Windows-1252.");
}

} // namespace
