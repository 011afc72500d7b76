#pragma once

#include "base/Text.h"
#include "userdict/UserDictFile.h"

#include <array>
#include <cstddef>
#include <string>

namespace trelvik {

// The longest word, in characters, that a user record takes; longer text is a paste gone wrong, not a word.
inline constexpr std::size_t kMaxWordLength = 255;

// The three words of a new user record in the order the add-words window lists its fields and
// AddUserRecord takes them: Russian, English, Swedish.
enum NewWordField : int { kNewRussian = 0, kNewEnglish = 1, kNewSwedish = 2 };
using NewWordTriple = std::array<std::string, 3>;

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

// Outcome of checking new words; field is the NewWordField at fault, or -1 for the triple as a whole.
struct WordCheck {
    WordRefusal refusal = WordRefusal::None;
    int field = -1;
    std::string message; // short enough for the add-words window's error line
    std::string detail;  // more to say, or empty
    explicit operator bool() const noexcept { return refusal == WordRefusal::None; }
};

// Language column (kRussianColumn, ...) and code page of a field of a new triple.
int ColumnOfNewWord(int field) noexcept;
CodePage CodePageOfNewWord(int field) noexcept;

// Turns the words as typed (bytes in their code pages) into the words stored, in place: each is lower-cased,
// then stripped of spaces at both ends. Refuses, leaving the words as they came, whatever cannot be stored,
// with the message the user sees. The first field at fault is reported.
WordCheck MakeStoredWords(NewWordTriple &words, EmptyFields emptyFields);

// The refusal of a word (field is a NewWordField) that holds the control character c.
WordCheck ControlCharacterRefusal(int field, char32_t c);

// The stored words as a record, in column order Russian, Swedish, English.
UserRecord RecordOfNewWords(const NewWordTriple &words);

// Message texts shared by the add-words window and trelvik-cli.
inline constexpr char kEnterWordsFirst[] = "ERROR: enter words first";
inline constexpr char kNoQuoteInWords[] = "ERROR: words cannot hold a \" sign";
inline constexpr char kNoLineBreakInWords[] = "ERROR: words cannot hold a line break";
inline constexpr char kNoControlInWords[] = "ERROR: words cannot hold a control character";
inline constexpr char kWordTooLong[] = "ERROR: a word is too long";

} // namespace trelvik
