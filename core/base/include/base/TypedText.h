#pragma once

#include "base/Text.h"

#include <string>
#include <string_view>

namespace trelvik {

// Makes typed or pasted UTF-8 the letters it shows: composes it to NFC, so that a letter typed as a base letter
// and a combining mark (e + U+0301, и + U+0306) is the one letter (é, й), and then removes the combining acute
// and grave accents (U+0301, U+0300) that compose with nothing: they mark stress in texts for learners, so a
// pasted "моло́ко" is the word молоко (and "ѐ", which Russian lacks, is е). Text that is not UTF-8 is returned
// as it is.
std::string NormaliseTypedText(std::string_view utf8, CodePage codePage);

// Why typed text cannot become single-byte text.
struct TextRefusal {
    std::string character;  // the first character the code page cannot hold, UTF-8; empty for text not UTF-8
    char32_t codePoint = 0; // that character's code point
    std::string message;    // "The character “ж” (U+0436) cannot be written in Windows-1252."
};

// Typed UTF-8 as single-byte text, normalised by NormaliseTypedText first. Returns false when the code page
// cannot hold a character (or the text is not UTF-8): nothing is ever silently replaced. refusal, if given,
// then says which character and why.
bool TypedToSingleByte(std::string_view utf8, CodePage codePage, std::string &bytes, TextRefusal *refusal = nullptr);

} // namespace trelvik
