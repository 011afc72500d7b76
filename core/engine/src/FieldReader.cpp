#include "engine/FieldReader.h"

namespace trelvik {

FieldReader::FieldReader(std::string_view bytes) noexcept
    : m_bytes(bytes), m_lfLineEnds(bytes.find("\r\n") == std::string_view::npos)
{
}

std::string_view FieldReader::next() noexcept
{
    const std::size_t size = m_bytes.size();
    while (m_pos < size && isBlank(m_pos))
        ++m_pos;
    if (m_pos >= size)
        return {};

    if (m_bytes[m_pos] == '"') {
        const std::size_t start = m_pos + 1;
        const std::size_t close = m_bytes.find('"', start);
        if (close == std::string_view::npos) {
            // An unmatched quote runs to the end of the data.
            m_pos = size;
            return m_bytes.substr(start);
        }
        m_pos = close + 1;
        if (m_pos < size && !isSeparatorAt(m_pos))
            m_pos = findSeparator(m_pos);
        skipSeparator();
        return m_bytes.substr(start, close - start);
    }

    const std::size_t start = m_pos;
    m_pos = findSeparator(m_pos);
    std::size_t end = m_pos;
    // Whatever CR or LF is left at the end of the field is no line end (findSeparator would have stopped
    // there), so it goes with the blanks.
    while (end > start
           && (m_bytes[end - 1] == ' ' || m_bytes[end - 1] == '\t' || m_bytes[end - 1] == '\r'
               || m_bytes[end - 1] == '\n'))
        --end;
    skipSeparator();
    return m_bytes.substr(start, end - start);
}

int FieldReader::nextRecord(RecordView &record) noexcept
{
    int read = 0;
    for (const Language language : kLanguages) {
        if (atEnd()) {
            record[language] = {};
        } else {
            record[language] = next();
            ++read;
        }
    }
    return read;
}

} // namespace trelvik
