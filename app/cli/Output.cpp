#include "Output.h"

#include "base/CodePages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace trelvik::cli {

std::string TextOf(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const std::size_t length = ReadUtf8(bytes, i, codePoint);
        if (length == 0) {
            text.append(kReplacement);
            ++i;
        } else {
            text.append(bytes.substr(i, length));
            i += length;
        }
    }
    return text;
}

std::string Shown(std::string_view text, std::string_view kept)
{
    return EscapeControlCharacters(text, kept);
}

bool Output::write(std::string_view bytes)
{
    if (m_error)
        return false;
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout))
        return true;
    m_error = errno ? errno : EIO;
    return false;
}

void Output::error(std::string_view message) const
{
    errorLine(std::string("trelvik-cli: ").append(message));
}

void Output::errorLine(std::string_view text) const
{
    const std::string line = Shown(text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

int Output::usage(std::string_view message) const
{
    error(message);
    error("Try 'trelvik-cli --help'.");
    return kExitUsage;
}

int Output::failure()
{
    if (!std::exchange(m_failureSaid, true))
        error(std::string("Cannot write to standard output: ")
                  .append(TextOf(std::strerror(m_error)))
                  .append(m_wordsStored ? " (the words were stored)" : ""));
    return m_wordsStored ? kExitStoredUnconfirmed : kExitDataError;
}

int Output::finish(int status)
{
    if (m_error || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        if (!m_error)
            m_error = errno ? errno : EIO;
        return failure();
    }
    return status;
}

} // namespace trelvik::cli
