#pragma once

#include "userdict/NewWords.h"

#include <QString>

#include <optional>
#include <string>

namespace trelvik {

// Words typed (or read) as Unicode, checked and made into the record the user dictionary stores.
struct PreparedWords {
    WordRefusal refusal = WordRefusal::None;
    std::optional<Language> field; // the language of the word at fault, none for the triple as a whole
    QString message;               // the error line
    QString detail;                // what exactly is wrong, where there is more to say
    UserRecord record;             // what is stored, when nothing was refused
    explicit operator bool() const noexcept { return refusal == WordRefusal::None; }
};

// The one way words become a user record: each word is converted to its code page, lower-cased and trimmed,
// and the triple is refused, with the texts the add-words window shows, when it cannot be stored.
PreparedWords PrepareTypedWords(const QString &russian, const QString &english, const QString &swedish,
                                EmptyFields emptyFields);

// Outcome of adding typed words to the user dictionary.
struct TypedWordsAdded {
    enum class Outcome { Added, Refused, FileError } outcome = Outcome::Added;
    std::optional<Language> field; // for Refused: the language of the word at fault, or none
    QString message;               // for Refused: the error line; for FileError: why the file was left as it was
    QString detail;                // for Refused: more about the refusal, or empty
    qint64 recordNumber = 0;       // for Added: the new record's number
    QString note;                  // the user dictionary was moved first: where the words went, to tell once
};

// Adds typed words as the add-words window's "Add" does (both it and `trelvik-cli add` come here): every
// field must be filled in, then PrepareTypedWords, then AddUserRecord. Only words that can be stored move a
// user dictionary in a read-only folder (UseWritableUserDictionary); userDictPath then names its new place.
TypedWordsAdded AddTypedWords(std::string &userDictPath, const QString &russian, const QString &english,
                              const QString &swedish);

// "Words is added. Record #" and the number.
QString WordsAddedText(qint64 recordNumber);

} // namespace trelvik
