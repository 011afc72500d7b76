#include "userdict/WordListReader.h"

#include "base/CodePages.h"

#include <algorithm>
#include <utility>

namespace trelvik {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Enough of the first row to tell its separator, when a line end takes longer to come.
constexpr std::size_t kSniffBytes = std::size_t{64} * 1024;

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

WordListReader::WordListReader(std::string_view separators) : m_separators(separators) {}

WordListReader::~WordListReader() = default;

void WordListReader::Feed(std::string_view piece, const RowTaker &take)
{
    if (m_encoding == Encoding::Unknown) {
        const std::size_t need = 2 - m_head.size();
        m_head.append(piece.substr(0, need));
        piece.remove_prefix(std::min(need, piece.size()));
        if (m_head.size() < 2)
            return;
        if (m_head == "\xFF\xFE" || m_head == "\xFE\xFF") {
            m_encoding = m_head[0] == '\xFF' ? Encoding::Utf16LE : Encoding::Utf16BE;
            m_head.clear();
        } else {
            m_encoding = Encoding::Utf8;
            feedUtf8(std::exchange(m_head, std::string()), take);
        }
    }
    if (m_encoding == Encoding::Utf8) {
        feedUtf8(piece, take);
        return;
    }
    std::string utf8;
    appendUtf16(piece, utf8);
    feedUtf8(utf8, take);
}

void WordListReader::Finish(const RowTaker &take)
{
    std::string rest;
    if (m_encoding == Encoding::Unknown) {
        m_encoding = Encoding::Utf8;
        rest = std::exchange(m_head, std::string());
    } else if (m_encoding != Encoding::Utf8 && (!m_head.empty() || m_highSurrogate != 0)) {
        AppendUtf8(rest, kReplacement);
        m_head.clear();
        m_highSurrogate = 0;
    }
    feedUtf8(rest, take);
    if (!m_rows)
        startRows(take);
    m_rows->Finish([&](DelimitedRow &row) { takeRow(row, take); });
}

void WordListReader::appendUtf16(std::string_view bytes, std::string &utf8)
{
    utf8.reserve(bytes.size() * 3 / 2 + 4);
    const bool little = m_encoding == Encoding::Utf16LE;
    const auto take = [&](char16_t unit) {
        if (m_highSurrogate != 0) {
            const char16_t high = std::exchange(m_highSurrogate, char16_t{0});
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                AppendUtf8(utf8, 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{unit} - 0xDC00));
                return;
            }
            AppendUtf8(utf8, kReplacement);
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            m_highSurrogate = unit;
        else
            AppendUtf8(utf8, unit >= 0xDC00 && unit <= 0xDFFF ? kReplacement : char32_t{unit});
    };
    for (const char c : bytes) {
        m_head += c;
        if (m_head.size() < 2)
            continue;
        const auto first = static_cast<unsigned char>(m_head[0]);
        const auto second = static_cast<unsigned char>(m_head[1]);
        take(static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second));
        m_head.clear();
    }
}

void WordListReader::feedUtf8(std::string_view text, const RowTaker &take)
{
    if (!m_rows && m_separators.size() > 1) {
        // The separator is sniffed from the first row, so the text waits until that row is here.
        const std::size_t from = m_sniffed.size();
        m_sniffed.append(text);
        bool rowEnded = m_sniffed.size() >= kSniffBytes;
        for (std::size_t i = from; i < m_sniffed.size() && !rowEnded; ++i) {
            const char c = m_sniffed[i];
            m_sniffQuoted = m_sniffQuoted != (c == '"');
            rowEnded = !m_sniffQuoted && (c == '\r' || c == '\n');
        }
        if (rowEnded)
            startRows(take);
        return;
    }
    if (!m_rows)
        startRows(take);
    m_rows->Feed(text, [&](DelimitedRow &row) { takeRow(row, take); });
}

void WordListReader::startRows(const RowTaker &take)
{
    const char separator = m_separators.size() == 1 ? m_separators[0] : SniffSeparator(m_sniffed, m_separators);
    m_rows = std::make_unique<DelimitedReader>(separator, kMaxCellBytes, kMaxCells);
    m_rows->Feed(m_sniffed, [&](DelimitedRow &row) { takeRow(row, take); });
    m_sniffed = std::string();
}

void WordListReader::takeRow(DelimitedRow &row, const RowTaker &take)
{
    // Two lists joined into one: the second one's byte-order mark starts a row.
    if (!row.cells.empty()) {
        std::string &first = row.cells.front();
        std::size_t marks = 0;
        while (first.compare(marks, kUtf8Bom.size(), kUtf8Bom) == 0)
            marks += kUtf8Bom.size();
        first.erase(0, marks);
        if (row.usedCells == 1 && first.find_first_not_of(' ') == std::string::npos)
            row.usedCells = 0;
    }
    if (row.usedCells == 0 && !row.unterminated)
        return;

    WordListRow out;
    out.line = row.line;
    const auto problem = [&](std::string reason) {
        out.kind = WordListRow::Kind::Problem;
        out.problem = std::move(reason);
        m_firstRow = false;
        take(out);
    };
    const bool cut = std::any_of(row.cells.begin(), row.cells.end(),
                                 [](const std::string &cell) { return cell.size() > kMaxCellBytes; });
    if (!row.unterminated && !cut && row.cells.size() == row.cellCount) {
        HeaderReading header = ReadHeader(row.cells);
        if (header.kind == HeaderReading::Kind::Refused)
            return problem(std::move(header.reason));
        if (header.kind == HeaderReading::Kind::Header) {
            m_layout = std::move(header.layout);
            if (!std::exchange(m_firstRow, false)) {
                out.kind = WordListRow::Kind::Header;
                take(out);
            }
            return;
        }
    }
    m_firstRow = false;

    if (row.unterminated)
        return problem("a quoted cell has no closing quote");
    if (cut)
        return problem("a cell holds more than " + std::to_string(kMaxCellBytes) + " bytes");
    if (!std::all_of(row.cells.begin(), row.cells.end(), [](const std::string &cell) { return IsValidUtf8(cell); }))
        return problem("not UTF-8 text; save the list as UTF-8");
    std::size_t needed = 0;
    for (std::size_t i = 0; i < m_layout.size(); ++i)
        needed = m_layout[i] ? i + 1 : needed;
    // Blank cells behind the last column are what a spreadsheet leaves of cleared cells.
    const std::size_t used = std::max(row.usedCells, std::min(row.cellCount, m_layout.size()));
    if (used < needed || used > m_layout.size())
        return problem(std::to_string(row.cellCount) + " cells where " + std::to_string(m_layout.size())
                       + " are expected");

    for (std::size_t i = 0; i < std::min(m_layout.size(), row.cells.size()); ++i) {
        if (!m_layout[i])
            continue;
        std::string &word = out.words[*m_layout[i]];
        word = std::move(row.cells[i]);
        RestoreNeutralisedFormula(word);
    }
    take(out);
}

} // namespace trelvik
