#pragma once

#include "userdict/UserDictFile.h"
#include "userdict/WordListExport.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace trelvik {

// What an import does with one row that holds words.
struct ImportRow {
    enum class Fate { Add, AlreadyPresent } fate = Fate::Add;
    std::size_t line = 0;
    UserRecord record; // the words as they are stored
};

// A row that cannot be imported, and why.
struct ImportProblem {
    std::size_t line = 0;
    std::string reason; // UTF-8
};

// Where the bytes of a word list come from: a function that hands every piece of the list, in order, to take
// (which returns false to stop early) and returns false, with error filled, when the list cannot be read.
using WordListSource = std::function<bool(const std::function<bool(std::string_view piece)> &take, std::string &error)>;

// Hears of an import's rows while the list is read, so that nothing needs to keep them; any member may be empty.
struct ImportListener {
    std::function<void(const ImportRow &)> onRow;         // a row with words, with its fate as planned
    std::function<void(const ImportProblem &)> onProblem; // a row that cannot be stored
    std::function<void(std::size_t line)> onHeader;       // a header row after the first one, skipped
    std::function<bool()> goOn;                           // false stops the reading, and the import
};

// Outcome of an import.
struct ImportOutcome {
    std::size_t added = 0;          // rows whose words were (or, in a dry run, would be) added
    std::size_t alreadyPresent = 0; // rows whose triple the user dictionary holds already
    std::size_t problems = 0;       // rows that cannot be stored
    std::string fileError;          // the list or the user dictionary could not be read, or the latter not written
    std::string note;    // the user dictionary was moved to a writable place first (UseWritableUserDictionary)
    bool stored = false; // the words are in the user dictionary (also when there were none to add)
};

// Imports a word list (WordListReader reads it, separators as there) into the user dictionary. Each row with
// words goes through the add-words checks (PrepareTypedWords), and a triple already in the user dictionary is
// skipped; a row repeating an earlier one is stored again, as "Add" would store it, so that a dictionary
// holding a triple twice comes back whole from its own export. When no row has a problem and dryRun is off,
// every new triple is appended in one locked, atomic rewrite, skipping the triples that another writer stored
// meanwhile (the counts then say so); otherwise nothing is written or created. A user dictionary in a
// read-only folder is moved first; a missing one, and its folder, are created.
ImportOutcome ImportWordList(const std::string &userDictPath, const WordListSource &source, std::string_view separators,
                             bool dryRun, const ImportListener &listener = {});

// The same for a list held in memory.
ImportOutcome ImportWordList(const std::string &userDictPath, std::string_view bytes, std::string_view separators,
                             bool dryRun, const ImportListener &listener = {});

} // namespace trelvik
