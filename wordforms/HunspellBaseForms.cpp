#include "HunspellBaseForms.h"

#include "engine/CodePages.h"
#include "engine/LookupContext.h"

#include <hunspell/hunspell.hxx>

#include <iconv.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace trelvik {

extern const char kEnglishIrregularText[];

namespace {

CodePage codePageOf(int column) noexcept
{
    return column == kRussianColumn ? CodePage::Windows1251 : CodePage::Windows1252;
}

bool fileExists(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string singleByteToUtf8(std::string_view bytes, CodePage codePage)
{
    std::string out;
    for (char c : bytes)
        appendUtf8(out, DecodeByte(static_cast<unsigned char>(c), codePage));
    return out;
}

// UTF-8 as single-byte text; false when a character has no code in the code page or the UTF-8 is broken.
bool utf8ToSingleByte(std::string_view utf8, CodePage codePage, std::string &bytes)
{
    bytes.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
        if (length == 0 || i + length > utf8.size())
            return false;
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1Fu) : (lead & 0x0Fu);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3Fu);
        }
        const int byte = EncodeCodePoint(c, codePage);
        if (byte < 0)
            return false;
        bytes += static_cast<char>(byte);
        i += length;
    }
    return true;
}

// Converts with iconv; false when the conversion is unknown or a character does not fit.
bool convert(const char *from, const char *to, const std::string &in, std::string &out)
{
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(in.size() * 4 + 4, '\0');
    char *inPtr = const_cast<char *>(in.data());
    std::size_t inLeft = in.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1))
        return false;
    out.resize(out.size() - outLeft);
    return true;
}

using IrregularTable = std::unordered_map<std::string_view, std::vector<std::string>>;

IrregularTable parseIrregular(std::string_view text)
{
    IrregularTable table;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t gap = line.find(' ');
        if (gap == std::string_view::npos)
            continue;
        std::vector<std::string> &bases = table[line.substr(0, gap)];
        for (line.remove_prefix(gap + 1); !line.empty();) {
            const std::size_t next = std::min(line.find(' '), line.size());
            bases.emplace_back(line.substr(0, next));
            line.remove_prefix(std::min(next + 1, line.size()));
        }
    }
    return table;
}

} // namespace

std::string HunspellFolder()
{
    const char *folder = std::getenv("TRELVIK_HUNSPELL_DIR");
    return folder && *folder ? std::string(folder) : std::string(kHunspellFolder);
}

HunspellDictionary HunspellDictionaryOf(int column) noexcept
{
    switch (column) {
    case kRussianColumn: return {"ru_RU", "hunspell-ru"};
    case kSwedishColumn: return {"sv_SE", "hunspell-sv"};
    default: return {"en_US", "hunspell-en-us"};
    }
}

std::string MissingDictionaryMessage(std::string_view folder, const std::vector<int> &columns)
{
    std::vector<HunspellDictionary> missing;
    for (int column : columns) {
        const HunspellDictionary dictionary = HunspellDictionaryOf(column);
        const std::string stem = std::string(folder) + "/" + std::string(dictionary.name);
        if (!fileExists(stem + ".aff") || !fileExists(stem + ".dic"))
            missing.push_back(dictionary);
    }
    if (missing.empty())
        return {};
    std::string packages;
    std::string names;
    for (std::size_t i = 0; i < missing.size(); ++i) {
        const char *joint = i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ";
        packages.append(joint).append(missing[i].package);
        names.append(joint).append(missing[i].name);
    }
    const bool one = missing.size() == 1;
    return std::string("Looking up word forms needs the package") + (one ? " " : "s ") + packages
           + ": the Hunspell dictionar" + (one ? "y " : "ies ") + names + (one ? " is" : " are") + " missing from "
           + std::string(folder) + ".";
}

const std::vector<std::string> &EnglishIrregularBaseForms(std::string_view form)
{
    static const IrregularTable table = parseIrregular(kEnglishIrregularText);
    static const std::vector<std::string> none;
    const auto found = table.find(form);
    return found == table.end() ? none : found->second;
}

// One language's Hunspell, opened when the language's first word comes.
class HunspellBaseForms::Language {
public:
    Language(const std::string &folder, int column) : m_codePage(codePageOf(column))
    {
        const std::string stem = folder + "/" + std::string(HunspellDictionaryOf(column).name);
        if (!fileExists(stem + ".aff") || !fileExists(stem + ".dic"))
            return;
        m_hunspell = std::make_unique<Hunspell>((stem + ".aff").c_str(), (stem + ".dic").c_str());
        m_encoding = m_hunspell->get_dict_encoding();
        m_utf8 = m_encoding == "UTF-8" || m_encoding == "utf-8";
    }

    std::vector<std::string> stems(std::string_view word) const
    {
        std::vector<std::string> result;
        if (!m_hunspell)
            return result;
        std::string asked = singleByteToUtf8(word, m_codePage);
        if (!m_utf8 && !convert("UTF-8", m_encoding.c_str(), std::string(asked), asked))
            return result;
        const std::vector<std::string> stems = m_hunspell->stem(asked);
        for (const std::string &stem : stems)
            add(stem, result);
        // Some dictionaries file a word under a bare root (the Swedish one has pojk for pojke, pojken,
        // pojkar), so the root's own shortest forms come next, the likeliest citation forms.
        for (const std::string &stem : stems) {
            if (stem == asked)
                continue;
            std::vector<std::string> forms = m_hunspell->suffix_suggest(stem);
            std::stable_sort(forms.begin(), forms.end(),
                             [](const std::string &a, const std::string &b) { return a.size() < b.size(); });
            std::size_t taken = 0;
            for (const std::string &form : forms) {
                if (form != asked && taken < kRootFormsTaken && add(form, result))
                    ++taken;
            }
        }
        return result;
    }

private:
    static constexpr std::size_t kRootFormsTaken = 3;

    // Adds a word of the dictionary's encoding as single-byte text; false when it cannot be written so (a
    // word the code page cannot write can never be in a volume) or is there already.
    bool add(std::string word, std::vector<std::string> &result) const
    {
        if (!m_utf8 && !convert(m_encoding.c_str(), "UTF-8", std::string(word), word))
            return false;
        std::string bytes;
        if (!utf8ToSingleByte(word, m_codePage, bytes)
            || std::find(result.begin(), result.end(), bytes) != result.end())
            return false;
        result.push_back(std::move(bytes));
        return true;
    }

    CodePage m_codePage;
    std::unique_ptr<Hunspell> m_hunspell;
    std::string m_encoding;
    bool m_utf8 = true;
};

HunspellBaseForms::HunspellBaseForms(std::string folder) : m_folder(std::move(folder)) {}

HunspellBaseForms::~HunspellBaseForms() = default;

std::vector<std::string> HunspellBaseForms::baseForms(std::string_view word, int column)
{
    if (column < kRussianColumn || column > kEnglishColumn || word.empty())
        return {};
    std::vector<std::string> forms;
    if (column == kEnglishColumn)
        forms = EnglishIrregularBaseForms(word);
    std::unique_ptr<Language> &language = m_languages[static_cast<std::size_t>(column - 1)];
    if (!language)
        language = std::make_unique<Language>(m_folder, column);
    for (std::string &stem : language->stems(word))
        forms.push_back(std::move(stem));
    return forms;
}

} // namespace trelvik
