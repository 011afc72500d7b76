#pragma once

#include "userdict/UserDictFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace trelvik {

// The two kinds of word list: CSV for spreadsheets, TSV for flashcard programs.
enum class WordListFormat { Csv, Tsv };

// The user dictionary as a UTF-8 word list.
struct ExportedWords {
    std::string text;        // header row, then one row a record, in file order
    std::size_t records = 0; // records written
    std::size_t leftOut = 0; // records of three empty words, which no lookup ever reaches
    // Records left out because a word holds a byte that its code page leaves undefined: UTF-8 has nothing to
    // write for it that an import would turn back into that byte. Each names the record and the byte.
    std::vector<std::string> refused;
};

// Writes every record of the user dictionary as a word list with the header russian, swedish, english. CSV
// follows RFC 4180 with CR LF line ends and starts with a byte-order mark, so that spreadsheets take it
// for UTF-8; TSV has LF line ends and no mark. A word that a spreadsheet would run as a formula gets an
// apostrophe in front (NeutraliseFormula). A missing user dictionary holds no records and is not created.
// Fails when the user dictionary cannot be read.
UserDictResult ExportUserDict(const std::string &userDictPath, WordListFormat format, ExportedWords &exported);

} // namespace trelvik
