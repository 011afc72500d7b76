#pragma once

#include "base/Language.h"
#include "base/Text.h"
#include "base/Triple.h"
#include "userdict/UserDictFile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace trelvik {

// The longest word, in characters, that a user record takes; longer text is a paste gone wrong, not a word.
inline constexpr std::size_t kMaxWordLength = 255;

// The order in which the words of a new record are checked, and so which one a refusal names first: the order
// of the add-words window's fields, Russian, English, Swedish.
inline constexpr std::array<Language, 3> kCheckOrder{Language::Russian, Language::English, Language::Swedish};

// Why words cannot become a user record.
enum class WordRefusal {
    None,
    EmptyField,     // a field left empty (the window's and `add`'s own rule)
    EmptyTriple,    // nothing left of all three words once they are trimmed
    DoubleQuote,    // the file format has no way to store it
    LineBreak,      // likewise
    ControlChar,    // a C0 or C1 control character, which would take over a terminal the word is shown on
    UnfitCharacter, // a character the word's code page cannot hold
    TooLong,        // longer than kMaxWordLength
    Unstorable,     // anything else the user dictionary file refuses
};

// Whether every field must hold something. Typed words must; an imported row may leave a language empty,
// as the user dictionary itself may.
enum class EmptyFields { Refused, Allowed };

// Outcome of checking new words; field is the language of the word at fault, none for the triple as a whole.
struct WordCheck {
    WordRefusal refusal = WordRefusal::None;
    std::optional<Language> field;
    std::string message; // short enough for the add-words window's error line
    std::string detail;  // more to say, or empty
    explicit operator bool() const noexcept { return refusal == WordRefusal::None; }
};

// Turns the words as typed (bytes in their code pages) into the words stored, in place: each is lower-cased,
// then stripped of spaces at both ends. Refuses, leaving the words as they came, whatever cannot be stored,
// with the message the user sees. The first field at fault is reported.
WordCheck MakeStoredWords(Triple &words, EmptyFields emptyFields);

// The refusal of the word of a language that holds the control character c.
WordCheck ControlCharacterRefusal(Language field, char32_t c);

// Message texts shared by the add-words window and trelvik-cli.
inline constexpr char kEnterWordsFirst[] = "ERROR: enter words first";
inline constexpr char kNoQuoteInWords[] = "ERROR: words cannot hold a \" sign";
inline constexpr char kNoLineBreakInWords[] = "ERROR: words cannot hold a line break";
inline constexpr char kNoControlInWords[] = "ERROR: words cannot hold a control character";
inline constexpr char kWordTooLong[] = "ERROR: a word is too long";

} // namespace trelvik
