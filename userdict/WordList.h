#pragma once

#include <string>
#include <vector>

namespace trelvik {

// How the cells of a word list's rows map to languages: for each cell, its language column
// (kRussianColumn, kSwedishColumn, kEnglishColumn), or 0 for a cell that holds something else.
using WordListLayout = std::vector<int>;

// The layout of a list without a header row, and the header that export writes: Russian, Swedish, English.
WordListLayout DefaultWordListLayout();
inline constexpr const char *kWordListHeader[3] = {"russian", "swedish", "english"};

// Reads a first row as a header: true when at least two of its cells name distinct languages ("russian",
// "swedish", "english" or "ru", "sv", "en", in any case, blanks around ignored) and no language is named
// twice. Other cells become columns of no language.
bool LayoutOfHeader(const std::vector<std::string> &cells, WordListLayout &layout);

} // namespace trelvik
