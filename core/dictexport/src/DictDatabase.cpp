#include "dictexport/DictDatabase.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace trelvik {

namespace {

// Offsets and lengths are written in base 64, most significant digit first, without padding.
std::string base64Number(std::uint64_t value)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 64]);
        value /= 64;
    } while (value != 0);
    return digits;
}

struct IndexLine {
    std::string key;
    std::size_t offset;
    std::size_t length;
    std::string shownAs; // the headword where it differs from the key
};

// Switches the calling thread to C.UTF-8 for as long as it lives, so that the C library reads UTF-8 and
// classifies every letter, whatever the program's locale.
class Utf8LocaleScope {
public:
    Utf8LocaleScope() noexcept
    {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        if (utf8)
            m_previous = uselocale(utf8);
    }
    Utf8LocaleScope(const Utf8LocaleScope &) = delete;
    Utf8LocaleScope &operator=(const Utf8LocaleScope &) = delete;
    ~Utf8LocaleScope()
    {
        if (m_previous)
            uselocale(m_previous);
    }
    bool active() const noexcept { return m_previous != locale_t{}; }

private:
    locale_t m_previous{};
};

} // namespace

bool DictIndexKey(std::string_view headword, std::string &key)
{
    key.clear();
    const Utf8LocaleScope scope;
    if (!scope.active())
        return false;
    std::mbstate_t in{};
    bool blankDue = false;
    for (std::size_t at = 0; at < headword.size();) {
        wchar_t c = 0;
        const std::size_t length = std::mbrtowc(&c, headword.data() + at, headword.size() - at, &in);
        if (length == 0 || length > headword.size() - at)
            break; // a NUL or broken UTF-8 ends the key; the exporter writes neither
        at += length;
        if (std::iswspace(static_cast<wint_t>(c))) {
            blankDue = !key.empty();
        } else if (std::iswalnum(static_cast<wint_t>(c))) {
            if (blankDue)
                key += ' ';
            blankDue = false;
            char bytes[MB_LEN_MAX];
            std::mbstate_t out{};
            const std::size_t written =
                std::wcrtomb(bytes, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))), &out);
            if (written != static_cast<std::size_t>(-1))
                key.append(bytes, written);
        }
    }
    return true;
}

bool MakeDictDatabase(const std::vector<Article> &articles, const DictionaryDescription &description,
                      DictDatabase &database, std::string &error)
{
    database = {};
    std::vector<IndexLine> lines;
    std::string &data = database.data;
    const auto addEntry = [&](std::string key, const std::string &text, std::string shownAs = {}) {
        lines.push_back(IndexLine{std::move(key), data.size(), text.size(), std::move(shownAs)});
        data += text;
    };
    // dictd takes the name from the entry's second line and shows the information as it stands.
    addEntry("00databaseutf8", "00-database-utf8\n");
    addEntry("00databaseshort", "00-database-short\n     " + description.title + "\n");
    addEntry("00databaseurl", "00-database-url\n     " + description.url + "\n");
    addEntry("00databaseinfo", description.info);

    std::string key;
    for (const Article &article : articles) {
        if (!DictIndexKey(article.headword, key)) {
            error = "the C.UTF-8 locale is not available";
            return false;
        }
        if (key.empty())
            continue;
        std::string text = article.headword + "\n";
        for (const std::string &translation : article.translations)
            text.append("  ").append(translation).append("\n");
        const std::size_t offset = data.size();
        addEntry(key, text, key == article.headword ? std::string() : article.headword);
        for (const std::string &spelling : article.otherSpellings) {
            if (DictIndexKey(spelling, key) && !key.empty())
                lines.push_back(IndexLine{key, offset, text.size(), key == spelling ? std::string() : spelling});
        }
    }

    std::sort(lines.begin(), lines.end(), [](const IndexLine &a, const IndexLine &b) {
        return a.key != b.key ? a.key < b.key : a.offset < b.offset;
    });
    for (const IndexLine &line : lines) {
        database.index.append(line.key)
            .append("\t")
            .append(base64Number(line.offset))
            .append("\t")
            .append(base64Number(line.length));
        if (!line.shownAs.empty())
            database.index.append("\t").append(line.shownAs);
        database.index += '\n';
    }
    return true;
}

} // namespace trelvik
