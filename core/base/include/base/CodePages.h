#pragma once

#include <string>
#include <string_view>

#include "base/Text.h"

namespace trelvik {

// Converts between the single-byte code pages of the dictionary and Unicode, at the edge of a widget or a
// command line. Encoding never substitutes: a character the code page cannot hold makes it fail.

// Unicode code point of a byte; 0xFFFD for the few bytes the code page leaves undefined.
char32_t DecodeByte(unsigned char byte, CodePage codePage) noexcept;

// Byte of a code point, or -1 when the code page cannot hold it.
int EncodeCodePoint(char32_t codePoint, CodePage codePage) noexcept;

// Single-byte text to UTF-16.
std::u16string DecodeToUtf16(std::string_view bytes, CodePage codePage);

// UTF-16 to single-byte text. Returns false when a character cannot be held (or the UTF-16 is broken);
// badIndex, if given, then receives the position of the first such UTF-16 unit.
bool EncodeFromUtf16(std::u16string_view text, CodePage codePage, std::string &bytes, std::size_t *badIndex = nullptr);

// Single-byte text to UTF-8.
std::string DecodeToUtf8(std::string_view bytes, CodePage codePage);

// Appends the UTF-8 of a code point (at most U+10FFFF) to out.
void AppendUtf8(std::string &out, char32_t codePoint);

// UTF-8 to single-byte text. Returns false, bytes empty, when a character cannot be held or the UTF-8 is not
// well-formed.
bool EncodeFromUtf8(std::string_view utf8, CodePage codePage, std::string &bytes);

// Reads the UTF-8 sequence at text[at]: returns its length and puts its code point into codePoint; 0 when it
// is not well-formed (cut short, overlong, a surrogate or past U+10FFFF).
std::size_t ReadUtf8(std::string_view text, std::size_t at, char32_t &codePoint) noexcept;

// True when text is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsValidUtf8(std::string_view text) noexcept;

// True for the C0 control characters (U+0000 to U+001F), DEL and the C1 control characters (U+0080 to
// U+009F): no word holds one, and a terminal obeys them instead of showing them.
constexpr bool IsControlCharacter(char32_t c) noexcept
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// A code point as Unicode names it in text: "U+001B", "U+0436".
std::string CodePointName(char32_t codePoint);

// UTF-8 text with every control character written as \uXXXX, the escape JSON uses, so that words read from
// a file can go to a terminal without taking it over. The characters in kept stay as they are (the line ends
// and tabs of a word list's own layout). A byte that is not UTF-8 is written as \xHH.
std::string EscapeControlCharacters(std::string_view utf8, std::string_view kept = {});

// Human-readable name of a code page, for messages.
std::string_view CodePageName(CodePage codePage) noexcept;

} // namespace trelvik
