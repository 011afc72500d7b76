#include "userdict/WordListExport.h"

#include "base/CodePages.h"
#include "base/Language.h"
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
    const auto word = [&record](Language language) {
        return "\"" + shownWord(record[language], CodePageOf(language)) + "\"";
    };
    const std::string named = "the record " + word(Language::Russian) + ", " + word(Language::Swedish) + ", "
                              + word(Language::English) + " is left out";
    for (const Language language : kLanguages) {
        const CodePage page = CodePageOf(language);
        for (const char c : record[language]) {
            const auto byte = static_cast<unsigned char>(c);
            if (DecodeByte(byte, page) == kUndefined)
                return named + ": its " + std::string(NameOf(language)) + " word holds the byte 0x" + hex(byte)
                       + ", which " + std::string(CodePageName(page)) + " leaves undefined.";
        }
    }
    // A word the user dictionary holds but the add-words checks refuse (a hand-edited file) would make the
    // whole import fail.
    Triple words = record;
    if (const WordCheck check = MakeStoredWords(words, EmptyFields::Allowed); !check) {
        std::string why = named + ", as import would refuse it: " + check.message;
        if (check.field)
            why += " (" + std::string(NameOf(*check.field)) + ")";
        return check.detail.empty() ? why : why + ": " + check.detail;
    }
    return {};
}

} // namespace

UserDictResult ExportUserDict(const std::string &userDictPath, WordListFormat format, ExportedWords &exported)
{
    UserTable records;
    exported = ExportedWords{};
    UserDictResult read = ReadEveryUserRecord(userDictPath, records, exported.leftOut);
    if (!read)
        return read;

    const bool csv = format == WordListFormat::Csv;
    const char separator = csv ? ',' : '\t';
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    if (csv)
        exported.text = "\xEF\xBB\xBF";
    AppendDelimitedRow(exported.text, {NameOf(Language::Russian), NameOf(Language::Swedish), NameOf(Language::English)},
                       separator, lineEnd);
    for (const UserRecord &record : records) {
        if (std::string why = unwritable(record); !why.empty()) {
            exported.refused.push_back(std::move(why));
            continue;
        }
        Triple cells;
        for (const Language language : kLanguages) {
            std::string &cell = cells[language];
            cell = DecodeToUtf8(record[language], CodePageOf(language));
            NeutraliseFormula(cell);
        }
        AppendDelimitedRow(exported.text, {cells.ru, cells.sv, cells.en}, separator, lineEnd);
        ++exported.records;
    }
    return {};
}

} // namespace trelvik
