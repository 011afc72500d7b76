#pragma once

#include "userdict/UserDictFile.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// The two kinds of word list: CSV for spreadsheets, TSV for flashcard programs.
enum class WordListFormat { Csv, Tsv };

// The user dictionary as a UTF-8 word list.
struct ExportedWords {
    std::string text;        // header row, then one row a record, in file order
    std::size_t records = 0; // records written
    std::size_t leftOut = 0; // records of three empty words, which no lookup ever reaches
};

// Writes every record of the user dictionary as a word list with the header russian, swedish, english. CSV
// follows RFC 4180 with CR LF line ends and starts with a byte-order mark, so that spreadsheets take it
// for UTF-8; TSV has LF line ends and no mark. Fails when the user dictionary cannot be read.
UserDictResult ExportUserDict(const std::string &userDictPath, WordListFormat format, ExportedWords &exported);

// What an import does with one row that holds words.
struct ImportRow {
    enum class Fate { Add, AlreadyPresent } fate = Fate::Add;
    std::size_t line = 0;
    UserRecord record; // the words as they are stored
};

// A row that cannot be imported, and why.
struct ImportProblem {
    std::size_t line = 0;
    QString reason;
};

// The plan of an import: every row with words, in file order, and every row that cannot be stored.
struct ImportPlan {
    std::vector<ImportRow> rows;
    std::vector<ImportProblem> problems;
    std::size_t added() const noexcept;
    std::size_t skipped() const noexcept { return rows.size() - added(); }
    std::vector<UserRecord> recordsToAdd() const;
};

// The separator a word list is read with: by the file name's extension (".tsv" and ".tab" are TSV, ".csv"
// CSV with a comma or, as spreadsheets in many countries save it, a semicolon), otherwise sniffed from
// the first row.
char SeparatorOfWordList(const QString &fileName, std::string_view bytes);

// Decides for each row of a word list (UTF-8, or UTF-16 with a byte-order mark) what an import does with it.
// A header row sets the column order (without one: russian, swedish, english); rows of nothing but blanks
// are passed over; every other row goes through the add-words checks (PrepareTypedWords), and a triple
// already in existing is skipped. A row repeating an earlier one is stored again, as "Add" would store it,
// so that a dictionary holding a triple twice comes back whole from its own export.
ImportPlan PlanImport(std::string_view bytes, char separator, const UserTable &existing);

// Outcome of an import.
struct ImportOutcome {
    ImportPlan plan;
    QString fileError; // the user dictionary could not be read or written: nothing was stored
    QString note;      // the user dictionary was moved to a writable place first (UseWritableUserDictionary)
    bool stored = false;
};

// Imports a word list into the user dictionary: plans it against the records the file holds and, when no
// row has a problem and dryRun is off, appends every new triple in one locked, atomic rewrite, skipping
// the triples that another writer stored meanwhile. A user dictionary in a read-only folder is moved first.
ImportOutcome ImportWordList(const std::string &userDictPath, std::string_view bytes, char separator, bool dryRun);

} // namespace trelvik
