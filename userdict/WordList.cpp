#include "WordList.h"

#include "engine/LookupContext.h"
#include "engine/Text.h"

#include <algorithm>
#include <cctype>

namespace trelvik {

namespace {

int columnOfName(std::string_view name) noexcept
{
    std::string lower(TrimSpaces(name));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "russian" || lower == "ru")
        return kRussianColumn;
    if (lower == "swedish" || lower == "sv")
        return kSwedishColumn;
    if (lower == "english" || lower == "en")
        return kEnglishColumn;
    return 0;
}

} // namespace

WordListLayout DefaultWordListLayout()
{
    return {kRussianColumn, kSwedishColumn, kEnglishColumn};
}

bool LayoutOfHeader(const std::vector<std::string> &cells, WordListLayout &layout)
{
    WordListLayout found;
    int named = 0;
    bool seen[4] = {};
    for (const std::string &cell : cells) {
        const int column = columnOfName(cell);
        if (column != 0) {
            if (seen[column])
                return false;
            seen[column] = true;
            ++named;
        }
        found.push_back(column);
    }
    if (named < 2)
        return false;
    layout = std::move(found);
    return true;
}

} // namespace trelvik
