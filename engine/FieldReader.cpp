#include "FieldReader.h"

namespace trelvik {

namespace {

bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }
bool isSeparator(char c) noexcept { return c == ',' || c == '\r' || c == '\n'; }

} // namespace

void FieldReader::skipSeparator() noexcept
{
    if (atEnd())
        return;
    const char c = m_bytes[m_pos++];
    if (c == '\r' && !atEnd() && m_bytes[m_pos] == '\n')
        ++m_pos;
}

std::string_view FieldReader::next() noexcept
{
    const std::size_t size = m_bytes.size();
    while (m_pos < size && isBlank(m_bytes[m_pos]))
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
        while (m_pos < size && !isSeparator(m_bytes[m_pos]))
            ++m_pos;
        skipSeparator();
        return m_bytes.substr(start, close - start);
    }

    const std::size_t start = m_pos;
    while (m_pos < size && !isSeparator(m_bytes[m_pos]))
        ++m_pos;
    std::size_t end = m_pos;
    while (end > start && isBlank(m_bytes[end - 1]))
        --end;
    skipSeparator();
    return m_bytes.substr(start, end - start);
}

int FieldReader::nextRecord(RecordView &record) noexcept
{
    for (int i = 0; i < 3; ++i) {
        if (atEnd()) {
            for (int j = i; j < 3; ++j)
                record[static_cast<std::size_t>(j)] = {};
            return i;
        }
        record[static_cast<std::size_t>(i)] = next();
    }
    return 3;
}

} // namespace trelvik
