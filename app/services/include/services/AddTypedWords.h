#pragma once

#include "base/Language.h"
#include "base/Triple.h"

#include <optional>
#include <string>

namespace trelvik {

// Outcome of adding typed words to the user dictionary.
struct TypedWordsAdded {
    enum class Outcome { Added, Refused, FileError } outcome = Outcome::Added;
    std::optional<Language> field; // for Refused: the language of the word at fault, or none
    std::string message;           // for Refused: the error line; for FileError: why the file was left as it was
    std::string detail;            // for Refused: more about the refusal, or empty
    long long recordNumber = 0;    // for Added: the new record's number
    std::string note;              // the user dictionary was moved first: where the words went, to tell once
};

// Adds typed words (UTF-8) as the add-words window's "Add" does (both it and `trelvik-cli add` come here): every
// field must be filled in, then PrepareTypedWords, then AddUserRecord. Only words that can be stored move a
// user dictionary in a read-only folder (UseWritableUserDictionary); userDictPath then names its new place.
TypedWordsAdded AddTypedWords(std::string &userDictPath, const TripleView &typed);

} // namespace trelvik
