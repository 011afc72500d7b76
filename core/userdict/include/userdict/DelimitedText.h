#pragma once

#include <array>
#include <cstddef>
#include <functional>
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
    std::size_t cellCount = 0; // cells in the row, also those a DelimitedReader did not keep
    std::size_t usedCells = 0; // cells up to the last one that holds more than blanks
};

// Splits text that arrives in pieces into rows, holding no more of it than the row being read. A UTF-8
// byte-order mark at the start is skipped. Rows end at CR LF, LF or a lone CR; empty lines yield no row. A
// cell that begins with a double quote (blanks before it are skipped) runs to the closing quote, takes
// separators and line breaks as text and "" as one quote; anything after the closing quote up to the
// separator is added to the cell as it stands. Any other cell is taken as it stands, quotes included.
class DelimitedReader {
public:
    using RowTaker = std::function<void(DelimitedRow &row)>;

    // Of a longer cell only the first maxCellBytes + 1 bytes are kept, so that its size still tells that it
    // was too long; only the first maxCells cells of a row are kept. Either way the memory a row costs stays
    // bounded whatever the text holds.
    explicit DelimitedReader(char separator, std::size_t maxCellBytes = std::string::npos - 1,
                             std::size_t maxCells = std::string::npos) noexcept;

    // Reads the next piece of the text; every row it completes goes to take.
    void Feed(std::string_view piece, const RowTaker &take);

    // Ends the text: the row still open, if any, goes to take.
    void Finish(const RowTaker &take);

private:
    enum class State { RowStart, CellStart, Plain, Quoted, QuoteInQuoted, AfterQuote };
    void takeByte(char c, const RowTaker &take);
    void append(char c);
    void endCell();
    void endRow(const RowTaker &take);

    char m_separator;
    std::size_t m_maxCellBytes;
    std::size_t m_maxCells;
    State m_state = State::RowStart;
    std::size_t m_offset = 0; // bytes read so far, to find the byte-order mark
    std::size_t m_line = 1;
    bool m_afterCr = false;    // the byte before was a CR, so an LF now ends no further line
    std::size_t m_blanks = 0;  // blanks at the start of a cell, not yet known to be part of it
    bool m_cellFilled = false; // the cell holds more than blanks
    std::string m_cell;
    DelimitedRow m_row;
};

// Splits a whole text into rows, as DelimitedReader does, keeping every cell whole.
std::vector<DelimitedRow> ReadDelimited(std::string_view text, char separator);

// The candidate that separates the cells of the first row most often (outside quotes); on a tie or when
// none occurs, the first candidate.
char SniffSeparator(std::string_view text, std::string_view candidates) noexcept;

// Appends one row with the given line end. A cell is quoted only when it has to be: when it holds the
// separator, a double quote, a line break, or blanks at either end.
void AppendDelimitedRow(std::string &out, const std::array<std::string_view, 3> &cells, char separator,
                        std::string_view lineEnd);

} // namespace trelvik
