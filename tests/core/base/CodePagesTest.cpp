// UTF-8 at the edge of the single-byte code pages.
#include "base/CodePages.h"

#include <gtest/gtest.h>

#include <string>

using namespace trelvik;

namespace {

TEST(Utf8Test, RefusesMalformedText)
{
    EXPECT_TRUE(IsValidUtf8("дом ö 😀"));
    for (const char *bad :
         {"\xE4\xF6", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xD0", "\xF0\x9F\x98"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

struct Utf8Case {
    const char *name;
    CodePage codePage;
    const char *utf8;
    const char *bytes; // nullptr when the text cannot be encoded
};

class Utf8ToCodePageTest : public ::testing::TestWithParam<Utf8Case> {};

// What fits comes back unchanged through the code page; nothing else gives any bytes.
TEST_P(Utf8ToCodePageTest, EncodesOnlyWhatTheCodePageHolds)
{
    const Utf8Case &c = GetParam();
    std::string bytes = "stale";
    EXPECT_EQ(EncodeFromUtf8(c.utf8, c.codePage, bytes), c.bytes != nullptr);
    if (c.bytes) {
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(DecodeToUtf8(bytes, c.codePage), c.utf8);
    } else {
        EXPECT_TRUE(bytes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToCodePageTest,
    ::testing::Values(Utf8Case{"russian", CodePage::Windows1251, "ёлка №", "\xB8\xEB\xEA\xE0 \xB9"},
                      Utf8Case{"swedish", CodePage::Windows1252, "Åsa €", "\xC5sa \x80"},
                      Utf8Case{"russian_in_latin", CodePage::Windows1252, "дом", nullptr},
                      Utf8Case{"four_byte_emoji", CodePage::Windows1252, "a😀", nullptr},
                      Utf8Case{"overlong_slash", CodePage::Windows1252, "\xC0\xAF", nullptr},
                      Utf8Case{"overlong_three_bytes", CodePage::Windows1251, "\xE0\x80\xAF", nullptr},
                      Utf8Case{"cut_short", CodePage::Windows1251, "\xD0", nullptr}),
    [](const auto &p) { return std::string(p.param.name); });

} // namespace
