#pragma once

#include <string>
#include <string_view>

namespace trelvik {

// The single-byte code page of a text: Russian fields hold Windows-1251, Swedish and English Windows-1252.
enum class CodePage { Windows1251, Windows1252 };

// Lower-cases a word the way lookups need it: capital Latin letters, and the Russian capitals (Windows-1251)
// or the Swedish capitals Å, Ä, Ö (Windows-1252), become small letters. Every other byte, blanks included,
// stays as it is.
std::string LowerCaseWord(std::string_view word, CodePage codePage);

// The byte a Windows-1251 letter is compared as: ё and Ё count as е and Е, since the volumes spell every
// word with е and Russian keyboards have no key for ё. Every other byte stands for itself.
constexpr unsigned char FoldYo(unsigned char c) noexcept
{
    return c == 0xB8 ? 0xE5 : c == 0xA8 ? 0xC5 : c;
}

// True when two Windows-1251 texts are equal once ё is read as е.
bool SameRussianText(std::string_view a, std::string_view b) noexcept;

// True when word occurs in entry as a run of consecutive bytes, ё read as е on both sides.
bool RussianEntryContainsWord(std::string_view entry, std::string_view word) noexcept;

// Removes space characters at both ends; spaces inside stay.
std::string_view TrimSpaces(std::string_view text) noexcept;

} // namespace trelvik
