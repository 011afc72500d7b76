#pragma once

#include "base/Language.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// How the cells of a word list's rows map to languages: for each cell, its language, or none for a cell that
// holds something else.
using WordListLayout = std::vector<std::optional<Language>>;

// The layout of a list without a header row, and of the header that export writes (each language's NameOf):
// Russian, Swedish, English.
WordListLayout DefaultWordListLayout();

// What a row of a word list is, judged by the language names its cells hold.
struct HeaderReading {
    enum class Kind {
        Words,   // names at most one language: a row of words ("английский", "engelska", "english" is one)
        Header,  // names each language once; layout says which cell holds which
        Refused, // names two languages but not the third, or one twice: reason says what is wrong
    } kind = Kind::Words;
    WordListLayout layout;
    std::string reason;
};

// Reads a row as a header. A cell names a language by its name in English, Swedish or Russian ("english",
// "engelska", "английский", ...) or its code ("en"), in any case, blanks and byte-order marks around it
// ignored. Other cells of a header become columns of no language. A row that names two languages is a header
// gone wrong rather than words, so that no column is ever dropped unnoticed.
HeaderReading ReadHeader(const std::vector<std::string> &cells);

// A spreadsheet runs a cell that begins with = + - @, a tab or a CR as a formula. Export puts an apostrophe
// before such a cell, which spreadsheets take as "text follows" and do not show; it does the same to a cell
// that already begins with apostrophes and then one of those characters, so that import, which takes one
// apostrophe off such cells, gets back exactly what was exported.
void NeutraliseFormula(std::string &cell);
void RestoreNeutralisedFormula(std::string &cell);

// The separators a word list may use, by its file name: a tab for ".tsv" and ".tab", a comma or (as
// spreadsheets in many countries save CSV) a semicolon for ".csv", otherwise any of the three.
std::string_view SeparatorsOfWordList(std::string_view fileName) noexcept;

} // namespace trelvik
