#include "userdict/WordListExport.h"

#include "base/CodePages.h"
#include "engine/LookupContext.h"
#include "userdict/DelimitedText.h"
#include "userdict/NewWords.h"
#include "userdict/WordList.h"

#include <array>

namespace trelvik {

namespace {

constexpr char32_t kUndefined = 0xFFFD;

std::string hex(unsigned char byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

// A word for a message: its bytes as UTF-8, a byte its code page leaves undefined as \xNN.
std::string shownWord(std::string_view word, CodePage page)
{
    std::string shown;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (DecodeByte(byte, page) == kUndefined)
            shown.append("\\x").append(hex(byte));
        else
            shown += DecodeToUtf8(std::string_view(&c, 1), page);
    }
    return shown;
}

// Why the record would not come back from an import as it is, or an empty text when it would (apart from the
// capitals and the blanks at the ends of its words, which import removes as "Add" does).
std::string unwritable(const UserRecord &record)
{
    const auto word = [&record](int column) {
        return "\"" + shownWord(record.field[static_cast<std::size_t>(column - 1)], CodePageOfColumn(column)) + "\"";
    };
    const std::string named = "the record " + word(kRussianColumn) + ", " + word(kSwedishColumn) + ", "
                              + word(kEnglishColumn) + " is left out";
    for (int column = kRussianColumn; column <= kEnglishColumn; ++column) {
        const CodePage page = CodePageOfColumn(column);
        for (const char c : record.field[static_cast<std::size_t>(column - 1)]) {
            const auto byte = static_cast<unsigned char>(c);
            if (DecodeByte(byte, page) == kUndefined)
                return named + ": its " + kWordListHeader[column - 1] + " word holds the byte 0x" + hex(byte)
                       + ", which " + std::string(CodePageName(page)) + " leaves undefined.";
        }
    }
    // A word the user dictionary holds but the add-words checks refuse (a hand-edited file) would make the
    // whole import fail.
    NewWordTriple words{record.field[0], record.field[2], record.field[1]};
    if (const WordCheck check = MakeStoredWords(words, EmptyFields::Allowed); !check) {
        std::string why = named + ", as import would refuse it: " + check.message;
        if (check.field >= 0)
            why += std::string(" (") + kWordListHeader[ColumnOfNewWord(check.field) - 1] + ")";
        return check.detail.empty() ? why : why + ": " + check.detail;
    }
    return {};
}

} // namespace

UserDictResult ExportUserDict(const std::string &userDictPath, WordListFormat format, ExportedWords &exported)
{
    UserTable records;
    exported = ExportedWords{};
    const UserDictResult read = ReadEveryUserRecord(userDictPath, records, exported.leftOut);
    if (!read)
        return read;

    const bool csv = format == WordListFormat::Csv;
    const char separator = csv ? ',' : '\t';
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    if (csv)
        exported.text = "\xEF\xBB\xBF";
    AppendDelimitedRow(exported.text, {kWordListHeader[0], kWordListHeader[1], kWordListHeader[2]}, separator, lineEnd);
    for (const UserRecord &record : records) {
        if (std::string why = unwritable(record); !why.empty()) {
            exported.refused.push_back(std::move(why));
            continue;
        }
        std::array<std::string, 3> cells;
        for (int column = kRussianColumn; column <= kEnglishColumn; ++column) {
            std::string &cell = cells[static_cast<std::size_t>(column - 1)];
            cell = DecodeToUtf8(record.field[static_cast<std::size_t>(column - 1)], CodePageOfColumn(column));
            NeutraliseFormula(cell);
        }
        AppendDelimitedRow(exported.text, {cells[0], cells[1], cells[2]}, separator, lineEnd);
        ++exported.records;
    }
    return {};
}

} // namespace trelvik
