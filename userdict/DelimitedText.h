#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// Word lists as spreadsheets and flashcard programs exchange them: rows of cells separated by a comma, a
// semicolon or a tab, with the quoting rules of RFC 4180. Bytes in, bytes out; the text is UTF-8 by
// agreement, not by any check made here.

// One row as read.
struct DelimitedRow {
    std::size_t line = 0; // the line the row starts on, counted from 1
    std::vector<std::string> cells;
    bool unterminated = false; // a quoted cell was still open at the end of the text
};

// Splits text into rows. A UTF-8 byte-order mark at the start is skipped. Rows end at CR LF, LF or a lone CR;
// empty lines yield no row. A cell that begins with a double quote (blanks before it are skipped) runs to
// the closing quote, takes separators and line breaks as text and "" as one quote; anything after the
// closing quote up to the separator is added to the cell as it stands. Any other cell is taken as it
// stands, quotes included.
std::vector<DelimitedRow> ReadDelimited(std::string_view text, char separator);

// The candidate that separates the cells of the first row most often (outside quotes); on a tie or when
// none occurs, the first candidate.
char SniffSeparator(std::string_view text, std::string_view candidates) noexcept;

// Appends one row with the given line end. A cell is quoted only when it has to be: when it holds the
// separator, a double quote, a line break, or blanks at either end.
void AppendDelimitedRow(std::string &out, const std::array<std::string_view, 3> &cells, char separator,
                        std::string_view lineEnd);

} // namespace trelvik
