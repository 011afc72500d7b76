#include "WordList.h"

#include "engine/FieldReader.h"
#include "engine/FileIO.h"
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

WordListLayout DefaultWordListLayout() { return {kRussianColumn, kSwedishColumn, kEnglishColumn}; }

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

UserDictResult ReadEveryUserRecord(const std::string &fileName, UserTable &records, std::size_t &emptyRecords)
{
    records.clear();
    emptyRecords = 0;
    std::string bytes;
    std::string error;
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok)
        return UserDictResult{false, error};
    if (bytes.empty())
        return {};

    FieldReader reader(bytes);
    std::int32_t count = 0;
    if (!ParseRecordCount(reader.next(), count))
        return UserDictResult{false, "The user dictionary " + fileName
                                         + " is damaged: its first line is not a record count."};
    RecordView record;
    while (!reader.atEnd()) {
        reader.nextRecord(record);
        if (IsEndRecord(record))
            ++emptyRecords;
        else
            records.push_back(UserRecord{{std::string(record[0]), std::string(record[1]), std::string(record[2])}});
    }
    return {};
}

} // namespace trelvik
