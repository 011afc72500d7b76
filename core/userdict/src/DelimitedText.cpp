#include "userdict/DelimitedText.h"

namespace trelvik {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isLineEnd(char c) noexcept
{
    return c == '\r' || c == '\n';
}

} // namespace

DelimitedReader::DelimitedReader(char separator, std::size_t maxCellBytes, std::size_t maxCells) noexcept
    : m_separator(separator), m_maxCellBytes(maxCellBytes), m_maxCells(maxCells)
{
}

void DelimitedReader::Feed(std::string_view piece, const RowTaker &take)
{
    for (const char c : piece) {
        // The byte-order mark is only known once its third byte has come; bytes that start like one and
        // then differ are text.
        if (m_offset < kUtf8Bom.size()) {
            const std::size_t matched = m_offset;
            if (c == kUtf8Bom[matched]) {
                ++m_offset;
                continue;
            }
            m_offset = kUtf8Bom.size();
            for (std::size_t i = 0; i < matched; ++i)
                takeByte(kUtf8Bom[i], take);
        }
        takeByte(c, take);
    }
}

void DelimitedReader::Finish(const RowTaker &take)
{
    if (m_offset < kUtf8Bom.size()) {
        const std::size_t matched = m_offset;
        m_offset = kUtf8Bom.size();
        for (std::size_t i = 0; i < matched; ++i)
            takeByte(kUtf8Bom[i], take);
    }
    switch (m_state) {
    case State::RowStart: return;
    case State::Quoted: m_row.unterminated = true; break;
    case State::CellStart:
        for (; m_blanks > 0; --m_blanks)
            append(' ');
        break;
    default: break;
    }
    endCell();
    endRow(take);
}

void DelimitedReader::append(char c)
{
    if (m_cell.size() <= m_maxCellBytes)
        m_cell += c;
    m_cellFilled = m_cellFilled || c != ' ';
}

void DelimitedReader::endCell()
{
    ++m_row.cellCount;
    if (m_cellFilled)
        m_row.usedCells = m_row.cellCount;
    if (m_row.cells.size() < m_maxCells)
        m_row.cells.push_back(std::move(m_cell));
    m_cell.clear();
    m_cellFilled = false;
    m_blanks = 0;
}

void DelimitedReader::endRow(const RowTaker &take)
{
    take(m_row);
    m_row = DelimitedRow{};
    m_state = State::RowStart;
}

void DelimitedReader::takeByte(char c, const RowTaker &take)
{
    switch (m_state) {
    case State::RowStart:
        if (isLineEnd(c)) {
            // CR LF is one line end.
            if (c == '\r' || !m_afterCr)
                ++m_line;
            m_afterCr = c == '\r';
            return;
        }
        m_afterCr = false;
        m_row.line = m_line;
        m_state = State::CellStart;
        [[fallthrough]];
    case State::CellStart:
        if (c == ' ') {
            ++m_blanks;
            return;
        }
        if (c == '"') {
            m_blanks = 0;
            m_state = State::Quoted;
            return;
        }
        for (; m_blanks > 0; --m_blanks)
            append(' ');
        break;
    case State::Quoted:
        if (c == '"') {
            m_state = State::QuoteInQuoted;
            m_afterCr = false;
            return;
        }
        // Line breaks inside the cell still count as lines, so later rows keep their numbers.
        if (c == '\r' || (c == '\n' && !m_afterCr))
            ++m_line;
        m_afterCr = c == '\r';
        append(c);
        return;
    case State::QuoteInQuoted:
        if (c == '"') {
            append('"');
            m_state = State::Quoted;
            return;
        }
        m_state = State::AfterQuote;
        [[fallthrough]];
    case State::AfterQuote:
        if (c == ' ')
            return;
        break;
    case State::Plain: break;
    }

    // Plain text up to the separator or the line end.
    m_state = State::Plain;
    if (c == m_separator) {
        endCell();
        m_state = State::CellStart;
    } else if (isLineEnd(c)) {
        endCell();
        endRow(take);
        ++m_line;
        m_afterCr = c == '\r';
    } else {
        append(c);
    }
}

std::vector<DelimitedRow> ReadDelimited(std::string_view text, char separator)
{
    std::vector<DelimitedRow> rows;
    const DelimitedReader::RowTaker keep = [&rows](DelimitedRow &row) { rows.push_back(std::move(row)); };
    DelimitedReader reader(separator);
    reader.Feed(text, keep);
    reader.Finish(keep);
    return rows;
}

char SniffSeparator(std::string_view text, std::string_view candidates) noexcept
{
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    std::array<std::size_t, 4> counts{};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isLineEnd(c))
            break;
        else if (!quoted) {
            const std::size_t at = candidates.find(c);
            if (at < counts.size()) // npos, the largest size, is never below it
                ++counts[at];
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < candidates.size() && i < counts.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates.empty() ? ',' : candidates[best];
}

void AppendDelimitedRow(std::string &out, const std::array<std::string_view, 3> &cells, char separator,
                        std::string_view lineEnd)
{
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first)
            out += separator;
        first = false;
        const bool quote = cell.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos
                           || (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
        if (!quote) {
            out += cell;
            continue;
        }
        out += '"';
        for (char c : cell) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += lineEnd;
}

} // namespace trelvik
