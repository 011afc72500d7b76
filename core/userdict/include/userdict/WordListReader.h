#pragma once

#include "base/Triple.h"
#include "userdict/DelimitedText.h"
#include "userdict/WordList.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace trelvik {

// One row of a word list as an import sees it.
struct WordListRow {
    enum class Kind {
        Words,   // words holds the row's cells by language
        Header,  // a header row after the first row: skipped, and its layout holds for the rows after it
        Problem, // the row cannot be imported: problem says why
    } kind = Kind::Words;
    std::size_t line = 0;
    Triple words; // UTF-8, as the list has them
    std::string problem;
};

// Reads a word list that arrives in pieces, row by row, holding no more of it than the row being read: UTF-8
// (a byte-order mark is skipped) or UTF-16 with a byte-order mark, as a spreadsheet saves "Unicode text". The
// separator is one of the candidates, whichever separates the cells of the first row most often. A header
// row (ReadHeader) sets the column order, otherwise it is Russian, Swedish, English; rows of nothing but
// blanks are passed over; a neutralised formula gets its apostrophe back (RestoreNeutralisedFormula).
class WordListReader {
public:
    using RowTaker = std::function<void(WordListRow &row)>;

    // The longest cell a row may have; longer ones make the row a problem.
    static constexpr std::size_t kMaxCellBytes = std::size_t{64} * 1024;
    // The most cells a row keeps; a row with more is a problem.
    static constexpr std::size_t kMaxCells = 1024;

    explicit WordListReader(std::string_view separators);
    ~WordListReader();
    WordListReader(const WordListReader &) = delete;
    WordListReader &operator=(const WordListReader &) = delete;

    // Reads the next piece of the list; every row it completes goes to take.
    void Feed(std::string_view piece, const RowTaker &take);

    // Ends the list: the last row, if any, goes to take.
    void Finish(const RowTaker &take);

private:
    enum class Encoding { Unknown, Utf8, Utf16LE, Utf16BE };
    void feedUtf8(std::string_view text, const RowTaker &take);
    void startRows(const RowTaker &take);
    void takeRow(DelimitedRow &row, const RowTaker &take);
    void appendUtf16(std::string_view bytes, std::string &utf8);

    std::string m_separators;
    Encoding m_encoding = Encoding::Unknown;
    std::string m_head; // bytes held back: the start of the list until its encoding is known, or half a UTF-16 unit
    char16_t m_highSurrogate = 0;
    std::string m_sniffed; // the text of the first row, until its separator is known
    bool m_sniffQuoted = false;
    std::unique_ptr<DelimitedReader> m_rows; // made once the separator is known
    WordListLayout m_layout = DefaultWordListLayout();
    bool m_firstRow = true;
};

} // namespace trelvik
