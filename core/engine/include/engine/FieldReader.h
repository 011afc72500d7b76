#pragma once

#include "engine/LookupContext.h"

#include <cstddef>
#include <string_view>

namespace trelvik {

// Splits the bytes of a dictionary volume or a user dictionary into fields.
//
// A field ends at a comma, a line end or the end of the data. The line end is CR LF; only in data without
// a single CR LF does a bare LF end lines instead. A lone CR or LF that is no line end (left behind when a
// file's line ends were converted twice) counts as a blank, so it never adds a field. Blanks before a field
// are skipped. A field that begins with a double quote runs to the next double quote and is taken without
// the quotes; whatever stands between the closing quote and the next separator is ignored. Any other field
// has the blanks after it dropped. Fields are views into the bytes, so reading allocates nothing.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) noexcept;

    // True when every byte has been consumed.
    bool atEnd() const noexcept { return m_pos >= m_bytes.size(); }

    // Reads the next field; at the end of the data it returns an empty field.
    std::string_view next() noexcept;

    // Reads the next three fields into record and returns how many of them the data still held
    // (3 for a whole record, fewer when the data ends inside it; missing fields are left empty).
    int nextRecord(RecordView &record) noexcept;

    // Offset of the next unread byte.
    std::size_t position() const noexcept { return m_pos; }

    // True when the data holds no CR LF, so that a bare LF ends lines.
    bool lfLineEnds() const noexcept { return m_lfLineEnds; }

private:
    // The helpers of the hot loop stay in the header so that they are inlined.
    bool isLineEnd(std::size_t pos) const noexcept
    {
        if (m_lfLineEnds)
            return m_bytes[pos] == '\n';
        return m_bytes[pos] == '\r' && pos + 1 < m_bytes.size() && m_bytes[pos + 1] == '\n';
    }
    bool isSeparatorAt(std::size_t pos) const noexcept { return m_bytes[pos] == ',' || isLineEnd(pos); }
    bool isBlank(std::size_t pos) const noexcept
    {
        const char c = m_bytes[pos];
        return c == ' ' || c == '\t' || ((c == '\r' || c == '\n') && !isLineEnd(pos));
    }
    std::size_t findSeparator(std::size_t from) const noexcept
    {
        const std::size_t size = m_bytes.size();
        while (from < size && !isSeparatorAt(from))
            ++from;
        return from;
    }
    void skipSeparator() noexcept
    {
        if (!atEnd())
            m_pos += (!m_lfLineEnds && m_bytes[m_pos] == '\r') ? 2 : 1;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_lfLineEnds = false; // the data holds no CR LF: a bare LF ends a line
};

// True when all three fields of a record are empty: such a record ends the data.
inline bool IsEndRecord(const RecordView &record) noexcept
{
    return record.empty();
}

} // namespace trelvik
