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

// Removes space characters at both ends; spaces inside stay.
std::string_view TrimSpaces(std::string_view text) noexcept;

} // namespace trelvik
