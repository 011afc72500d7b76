#include "userdict/WordList.h"

#include "base/CodePages.h"
#include "base/Text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace trelvik {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct LanguageName {
    std::string_view name; // small letters, UTF-8
    Language language;
};

constexpr std::array<LanguageName, 12> kLanguageNames{{
    {"russian", Language::Russian},
    {"ryska", Language::Russian},
    {"русский", Language::Russian},
    {"ru", Language::Russian},
    {"swedish", Language::Swedish},
    {"svenska", Language::Swedish},
    {"шведский", Language::Swedish},
    {"sv", Language::Swedish},
    {"english", Language::English},
    {"engelska", Language::English},
    {"английский", Language::English},
    {"en", Language::English},
}};

// The cell without blanks and byte-order marks around it: a list made by joining two files carries the
// second one's mark at the start of a row.
std::string_view bareCell(std::string_view cell) noexcept
{
    for (;;) {
        const std::string_view trimmed = TrimSpaces(cell);
        if (trimmed.substr(0, kUtf8Bom.size()) != kUtf8Bom)
            return trimmed;
        cell = trimmed.substr(kUtf8Bom.size());
    }
}

// The language a cell names, or none.
std::optional<Language> languageOfName(std::string_view cell)
{
    // Every name fits Windows-1251, whose lower-casing covers both the Latin and the Cyrillic capitals.
    std::string bytes;
    const std::string_view bare = bareCell(cell);
    if (bare.size() > 32 || !EncodeFromUtf8(bare, CodePage::Windows1251, bytes))
        return std::nullopt;
    const std::string lower = DecodeToUtf8(LowerCaseWord(bytes, CodePage::Windows1251), CodePage::Windows1251);
    for (const LanguageName &entry : kLanguageNames) {
        if (entry.name == lower)
            return entry.language;
    }
    return std::nullopt;
}

bool startsFormula(char c) noexcept
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Whether the cell is apostrophes (as many as at least) and then a character that starts a formula.
bool isFormulaAfterApostrophes(std::string_view cell, std::size_t atLeast) noexcept
{
    const std::size_t first = cell.find_first_not_of('\'');
    return first != std::string_view::npos && first >= atLeast && startsFormula(cell[first]);
}

} // namespace

WordListLayout DefaultWordListLayout()
{
    return {kLanguages.begin(), kLanguages.end()};
}

HeaderReading ReadHeader(const std::vector<std::string> &cells)
{
    HeaderReading reading;
    std::array<int, 3> named{};
    int distinct = 0;
    std::string_view unknown; // the first cell with text that names no language
    for (const std::string &cell : cells) {
        const std::optional<Language> language = languageOfName(cell);
        reading.layout.push_back(language);
        if (!language && unknown.empty())
            unknown = bareCell(cell);
        distinct += language && named[IndexOf(*language)]++ == 0 ? 1 : 0;
    }
    if (distinct < 2) {
        reading.layout.clear();
        return reading;
    }
    for (const Language each : kLanguages) {
        const std::string language(NameOf(each));
        if (named[IndexOf(each)] > 1)
            reading.reason = "the header names " + language + " twice";
        else if (named[IndexOf(each)] == 0)
            reading.reason = "the header names no " + language + " column"
                             + (unknown.empty() ? std::string(" (a header names russian, swedish and english)")
                                                : " (\"" + std::string(unknown) + "\" is no language name)");
        if (!reading.reason.empty()) {
            reading.kind = HeaderReading::Kind::Refused;
            reading.layout.clear();
            return reading;
        }
    }
    reading.kind = HeaderReading::Kind::Header;
    return reading;
}

void NeutraliseFormula(std::string &cell)
{
    if (isFormulaAfterApostrophes(cell, 0))
        cell.insert(cell.begin(), '\'');
}

void RestoreNeutralisedFormula(std::string &cell)
{
    if (isFormulaAfterApostrophes(cell, 1))
        cell.erase(cell.begin());
}

std::string_view SeparatorsOfWordList(std::string_view fileName) noexcept
{
    const std::string_view name = fileName.substr(fileName.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    const std::string_view suffix = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    const auto is = [suffix](std::string_view lower) {
        return std::equal(suffix.begin(), suffix.end(), lower.begin(), lower.end(),
                          [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    };
    if (is("tsv") || is("tab"))
        return "\t";
    if (is("csv"))
        return ",;";
    return ",\t;";
}

} // namespace trelvik
