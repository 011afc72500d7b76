#include "base/Text.h"

namespace trelvik {

namespace {

unsigned char lowerByte(unsigned char c, CodePage codePage) noexcept
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (codePage == CodePage::Windows1251) {
        if (c >= 0xC0 && c <= 0xDF) // А..Я
            return static_cast<unsigned char>(c + 32);
        if (c == 0xA8) // Ё
            return 0xB8;
        return c;
    }
    switch (c) {
    case 0xC5: return 0xE5; // Å
    case 0xC4: return 0xE4; // Ä
    case 0xD6: return 0xF6; // Ö
    default: return c;
    }
}

} // namespace

std::string LowerCaseWord(std::string_view word, CodePage codePage)
{
    std::string lower(word);
    for (char &c : lower)
        c = static_cast<char>(lowerByte(static_cast<unsigned char>(c), codePage));
    return lower;
}

bool SameRussianText(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldYo(static_cast<unsigned char>(a[i])) != FoldYo(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool RussianEntryContainsWord(std::string_view entry, std::string_view word) noexcept
{
    if (word.size() > entry.size())
        return false;
    if (word.empty())
        return true;
    const unsigned char first = FoldYo(static_cast<unsigned char>(word[0]));
    const std::size_t lastStart = entry.size() - word.size();
    for (std::size_t at = 0; at <= lastStart; ++at) {
        if (FoldYo(static_cast<unsigned char>(entry[at])) == first
            && SameRussianText(entry.substr(at + 1, word.size() - 1), word.substr(1)))
            return true;
    }
    return false;
}

std::string_view TrimSpaces(std::string_view text) noexcept
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace trelvik
