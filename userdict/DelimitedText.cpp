#include "DelimitedText.h"

namespace trelvik {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isLineEnd(char c) noexcept
{
    return c == '\r' || c == '\n';
}

// Consumes the line end at pos (CR LF counts as one).
void skipLineEnd(std::string_view text, std::size_t &pos) noexcept
{
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        ++pos;
    ++pos;
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) noexcept
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

} // namespace

std::vector<DelimitedRow> ReadDelimited(std::string_view text, char separator)
{
    std::vector<DelimitedRow> rows;
    std::size_t pos = text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
    std::size_t line = 1;

    while (pos < text.size()) {
        if (isLineEnd(text[pos])) {
            skipLineEnd(text, pos);
            ++line;
            continue;
        }
        DelimitedRow row;
        row.line = line;
        for (;;) {
            std::string cell;
            const std::size_t quote = skipBlanks(text, pos);
            if (quote < text.size() && text[quote] == '"') {
                pos = quote + 1;
                for (;;) {
                    const std::size_t next = text.find('"', pos);
                    const std::size_t end = next == std::string_view::npos ? text.size() : next;
                    for (std::size_t i = pos; i < end; ++i) {
                        // Line breaks inside the cell still count as lines, so later rows keep their numbers.
                        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= end || text[i + 1] != '\n')))
                            ++line;
                    }
                    cell.append(text.substr(pos, end - pos));
                    if (next == std::string_view::npos) {
                        row.unterminated = true;
                        pos = text.size();
                        break;
                    }
                    pos = next + 1;
                    if (pos < text.size() && text[pos] == '"') {
                        cell += '"';
                        ++pos;
                        continue;
                    }
                    pos = skipBlanks(text, pos);
                    break;
                }
            }
            const std::size_t start = pos;
            while (pos < text.size() && text[pos] != separator && !isLineEnd(text[pos]))
                ++pos;
            cell.append(text.substr(start, pos - start));
            row.cells.push_back(std::move(cell));

            if (pos < text.size() && text[pos] == separator) {
                ++pos;
                continue;
            }
            if (pos < text.size()) {
                skipLineEnd(text, pos);
                ++line;
            }
            break;
        }
        rows.push_back(std::move(row));
    }
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
            if (at != std::string_view::npos && at < counts.size())
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
