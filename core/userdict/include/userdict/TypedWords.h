#pragma once

#include "base/Language.h"
#include "base/Triple.h"
#include "userdict/NewWords.h"

#include <optional>
#include <string>

namespace trelvik {

// Words typed (or read) as UTF-8, checked and made into the record the user dictionary stores.
struct PreparedWords {
    WordRefusal refusal = WordRefusal::None;
    std::optional<Language> field; // the language of the word at fault, none for the triple as a whole
    std::string message;           // the error line, UTF-8
    std::string detail;            // what exactly is wrong, where there is more to say
    UserRecord record;             // what is stored, when nothing was refused
    explicit operator bool() const noexcept { return refusal == WordRefusal::None; }
};

// The one way typed words become a user record: each word is composed and converted to its code page
// (TypedToSingleByte), lower-cased and trimmed, and the triple is refused, with the texts the add-words window
// shows, when it cannot be stored. typed holds UTF-8.
PreparedWords PrepareTypedWords(const TripleView &typed, EmptyFields emptyFields);

// "Words is added. Record #" and the number.
std::string WordsAddedText(long long recordNumber);

} // namespace trelvik
