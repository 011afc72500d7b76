#include "wordforms/HunspellBaseForms.h"

#include "base/CodePages.h"
#include "base/FileIO.h"
#include "base/Language.h"
#include "base/Text.h"

#include <hunspell/hunspell.hxx>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>

namespace trelvik {

extern const char kEnglishIrregularText[];
extern const char kRussianIrregularText[];
extern const char kSwedishIrregularText[];

namespace {

bool isUtf8Name(std::string_view encoding) noexcept
{
    return encoding == "UTF-8" || encoding == "utf-8";
}

// Dictionary files larger than this are refused before anything is read: Debian's largest are a few megabytes,
// and Hunspell would take minutes and gigabytes over a file of gigabytes.
constexpr std::uintmax_t kMaxDictionaryFileBytes = std::uintmax_t{64} << 20;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view text) noexcept
{
    return text.substr(0, 3) == kByteOrderMark ? text.substr(3) : text;
}

// The encoding an .aff file names on its SET line, read as Hunspell reads it (a byte-order mark before the
// first line is allowed); Hunspell reads a file without one as ISO8859-1. Words are handed to Hunspell as
// UTF-8 only: Debian's dictionaries for all three languages are UTF-8, and a conversion to any other encoding
// would be code that no installed dictionary ever runs.
std::optional<std::string> setLineEncoding(std::string_view aff)
{
    constexpr std::string_view kSpace = " \t\r\v\f";
    aff = withoutByteOrderMark(aff);
    while (!aff.empty()) {
        const std::size_t end = std::min(aff.find('\n'), aff.size());
        const std::string_view line = aff.substr(0, end);
        aff.remove_prefix(std::min(end + 1, aff.size()));
        if (line.size() < 4 || line.substr(0, 3) != "SET" || (line[3] != ' ' && line[3] != '\t'))
            continue;
        std::string_view rest = line.substr(4);
        rest.remove_prefix(std::min(rest.find_first_not_of(kSpace), rest.size()));
        return std::string(rest.substr(0, rest.find_first_of(kSpace)));
    }
    return std::nullopt;
}

std::string affEncoding(std::string_view aff)
{
    return setLineEncoding(aff).value_or("ISO8859-1");
}

// Whether a .dic file starts as Hunspell needs it to: a line with the number of words (after a byte-order
// mark, if any). Without it Hunspell loads no word at all, and says so nowhere.
bool beginsWithWordCount(std::string_view dic)
{
    std::string_view line = withoutByteOrderMark(dic);
    line = line.substr(0, line.find('\n'));
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    long count = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), count);
    return ec == std::errc() && end != line.data() && count > 0 && count < (long{1} << 28);
}

// Why the dictionary name in folder cannot be used, or empty. When one of its files is not there at all,
// missing is set and nothing is said: the caller names the package to install.
std::string dictionaryProblem(std::string_view folder, std::string_view name, bool &missing)
{
    missing = false;
    const std::string stem = std::string(folder) + "/" + std::string(name);
    const auto cannotUse = [&](const std::string &why) {
        return "Looking up word forms cannot use the Hunspell dictionary " + std::string(name) + ": " + why + ".";
    };
    std::string texts[2];
    const char *const extensions[2] = {".aff", ".dic"};
    for (const char *extension : extensions) {
        const std::string path = stem + extension;
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) {
                missing = true;
                return {};
            }
            return cannotUse("Cannot open " + path + ": " + std::strerror(errno));
        }
        if (!S_ISREG(info.st_mode))
            return cannotUse(path + " is not a regular file");
        if (static_cast<std::uintmax_t>(info.st_size) > kMaxDictionaryFileBytes)
            return cannotUse(path + " is larger than " + std::to_string(kMaxDictionaryFileBytes >> 20) + " MiB");
    }
    // This runs at every start of the window, so the .aff is read only up to its SET line (its first line in
    // every dictionary Debian ships), and of the .dic only the first line: the rest is Hunspell's to read.
    const auto upToTheSetLine = [](std::string_view head) {
        return setLineEncoding(head.substr(0, head.rfind('\n') + 1)).has_value();
    };
    std::string error;
    if (ReadFileHead(stem + extensions[0], /*createIfMissing=*/false, texts[0], upToTheSetLine, &error)
            != ReadStatus::Ok
        || ReadWholeFile(stem + extensions[1], /*createIfMissing=*/false, texts[1], &error, 4096) != ReadStatus::Ok)
        return cannotUse(error);
    if (!beginsWithWordCount(texts[1]))
        return cannotUse(stem + ".dic does not begin with its number of words");
    if (const std::string encoding = affEncoding(texts[0]); !isUtf8Name(encoding))
        return "Looking up word forms needs Hunspell dictionaries in UTF-8: " + stem + ".aff is in " + encoding + ".";
    return {};
}

// Irregular forms and their bases as single-byte text of the table's language.
using IrregularTable = std::unordered_map<std::string, std::vector<std::string>>;

// Reads a table of UTF-8 lines "FORM BASE [BASE...]"; a word the code page cannot write is left out.
IrregularTable parseIrregular(std::string_view text, CodePage codePage)
{
    IrregularTable table;
    std::string bytes;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t gap = line.find(' ');
        if (gap == std::string_view::npos || !EncodeFromUtf8(line.substr(0, gap), codePage, bytes))
            continue;
        std::vector<std::string> &bases = table[bytes];
        for (line.remove_prefix(gap + 1); !line.empty();) {
            const std::size_t next = std::min(line.find(' '), line.size());
            if (EncodeFromUtf8(line.substr(0, next), codePage, bytes))
                bases.push_back(bytes);
            line.remove_prefix(std::min(next + 1, line.size()));
        }
    }
    return table;
}

// Hunspell's stems shorter than this come from a suffix read into a short word (his: hi, is: i), not from an
// inflection worth showing beside the word's own translations.
constexpr std::size_t kShortestFollowedStem = 3;

// The English endings of inflection. Hunspell's other affixes make new words (display: play, finally: final,
// seller: sell), whose base is no reading of the word.
constexpr std::string_view kEnglishEndings[] = {"s", "es", "ies", "'s", "d", "ed", "ied", "ing"};

// True when word is stem with an ending of inflection: it begins with the stem less at most its last letter
// (Russian: two), so that a prefix (context: text) or a changed root (дня: день) does not count.
bool inflectsStem(std::string_view word, std::string_view stem, Language language)
{
    const std::size_t changed = language == Language::Russian ? 2 : 1;
    std::size_t common = 0;
    while (common < word.size() && common < stem.size() && word[common] == stem[common])
        ++common;
    if (common + changed < stem.size())
        return false;
    if (language != Language::English)
        return true;
    const std::string_view ending = word.substr(common);
    return std::find(std::begin(kEnglishEndings), std::end(kEnglishEndings), ending) != std::end(kEnglishEndings);
}

// The word with its first letter a capital, as Hunspell files names (франция: Франция).
std::string capitalized(std::string_view word, CodePage codePage)
{
    std::string result(word);
    const auto first = static_cast<unsigned char>(result.front());
    const bool cyrillic = codePage == CodePage::Windows1251;
    // Both code pages put a small letter 0x20 above its capital, except ё and the Western ÷ and ÿ.
    if (cyrillic && first == 0xB8)
        result.front() = '\xA8';
    else if ((first >= 'a' && first <= 'z') || (first >= 0xE0 && (cyrillic || (first != 0xF7 && first != 0xFF))))
        result.front() = static_cast<char>(first - 0x20);
    return result;
}

} // namespace

std::string HunspellFolder()
{
    const char *folder = std::getenv("TRELVIK_HUNSPELL_DIR");
    return folder && *folder ? std::string(folder) : std::string(kHunspellFolder);
}

HunspellDictionary HunspellDictionaryOf(Language language) noexcept
{
    switch (language) {
    case Language::Russian: return {"ru_RU", "hunspell-ru"};
    case Language::Swedish: return {"sv_SE", "hunspell-sv"};
    case Language::English: break;
    }
    return {"en_US", "hunspell-en-us"};
}

std::string MissingDictionaryMessage(std::string_view folder, const std::vector<Language> &languages)
{
    std::vector<HunspellDictionary> missing;
    std::string problem;
    for (const Language language : languages) {
        const HunspellDictionary dictionary = HunspellDictionaryOf(language);
        bool absent = false;
        std::string why = dictionaryProblem(folder, dictionary.name, absent);
        if (absent)
            missing.push_back(dictionary);
        else if (problem.empty())
            problem = std::move(why);
    }
    if (missing.empty())
        return problem;
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

const std::vector<std::string> &IrregularBaseForms(std::string_view form, Language language)
{
    static const IrregularTable russian = parseIrregular(kRussianIrregularText, CodePage::Windows1251);
    static const IrregularTable swedish = parseIrregular(kSwedishIrregularText, CodePage::Windows1252);
    static const IrregularTable english = parseIrregular(kEnglishIrregularText, CodePage::Windows1252);
    static const std::vector<std::string> none;
    const IrregularTable &table = language == Language::Russian   ? russian
                                  : language == Language::Swedish ? swedish
                                                                  : english;
    std::string key(form);
    // The Russian table spells ё as е, like the volumes.
    if (language == Language::Russian)
        std::transform(key.begin(), key.end(), key.begin(),
                       [](char c) { return static_cast<char>(FoldYo(static_cast<unsigned char>(c))); });
    const auto found = table.find(key);
    return found == table.end() ? none : found->second;
}

// One language's Hunspell, opened when the language's first word comes.
class HunspellBaseForms::Speller {
public:
    Speller(const std::string &folder, Language language) : m_codePage(CodePageOf(language))
    {
        const std::string stem = folder + "/" + std::string(HunspellDictionaryOf(language).name);
        bool missing = false;
        if (!dictionaryProblem(folder, HunspellDictionaryOf(language).name, missing).empty() || missing)
            return;
        m_hunspell = std::make_unique<Hunspell>((stem + ".aff").c_str(), (stem + ".dic").c_str());
        if (!isUtf8Name(m_hunspell->get_dict_encoding()))
            m_hunspell.reset();
    }

    // Hunspell's stems of word (the word itself among them when it is a base form of its own), then, with
    // withRootForms, the likeliest citation forms of stems that are bare roots.
    std::vector<std::string> stems(std::string_view word, bool withRootForms) const
    {
        std::vector<std::string> result;
        if (!m_hunspell)
            return result;
        const std::string asked = DecodeToUtf8(word, m_codePage);
        const std::vector<std::string> stems = m_hunspell->stem(asked);
        for (const std::string &stem : stems)
            add(stem, result);
        if (!withRootForms)
            return result;
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

    // Adds a word of the dictionary as single-byte text; false when it cannot be written so (a word the code
    // page cannot write can never be in a volume) or is there already.
    bool add(const std::string &word, std::vector<std::string> &result) const
    {
        std::string bytes;
        if (!EncodeFromUtf8(word, m_codePage, bytes) || std::find(result.begin(), result.end(), bytes) != result.end())
            return false;
        result.push_back(std::move(bytes));
        return true;
    }

    CodePage m_codePage;
    std::unique_ptr<Hunspell> m_hunspell;
};

HunspellBaseForms::HunspellBaseForms(std::string folder) : m_folder(std::move(folder)) {}

HunspellBaseForms::~HunspellBaseForms() = default;

HunspellBaseForms::Speller *HunspellBaseForms::speller(Language language)
{
    std::unique_ptr<Speller> &speller = m_spellers[IndexOf(language)];
    if (!speller)
        speller = std::make_unique<Speller>(m_folder, language);
    return speller.get();
}

std::vector<std::string> HunspellBaseForms::baseForms(std::string_view word, Language language)
{
    Speller *hunspell = word.empty() ? nullptr : speller(language);
    if (!hunspell)
        return {};
    std::vector<std::string> forms = IrregularBaseForms(word, language);
    for (std::string &stem : hunspell->stems(word, true))
        forms.push_back(std::move(stem));
    return forms;
}

std::vector<std::string> HunspellBaseForms::inflectionBases(std::string_view word, Language language)
{
    Speller *hunspell = word.empty() ? nullptr : speller(language);
    if (!hunspell)
        return {};
    if (const std::vector<std::string> &listed = IrregularBaseForms(word, language); !listed.empty())
        return listed;
    // sv_SE files many common words only as forms of others (bror as bro, mot as mod, bort as bor), so its stems
    // cannot tell an inflected form from a word of its own: for Swedish only the table counts.
    if (language == Language::Swedish)
        return {};
    std::vector<std::string> stems = hunspell->stems(word, false);
    // A word Hunspell files as a base form or a name of its own (мой, thing, франция) keeps to its own readings:
    // its other stems are mostly other words that happen to share its spelling (мыть, the, франций).
    const auto filesAsItsOwn = [&hunspell](const std::string &asked) {
        const std::vector<std::string> own = hunspell->stems(asked, false);
        return std::find(own.begin(), own.end(), asked) != own.end();
    };
    if (std::find(stems.begin(), stems.end(), word) != stems.end()
        || filesAsItsOwn(capitalized(word, CodePageOf(language))))
        return {};
    stems.erase(std::remove_if(stems.begin(), stems.end(),
                               [&](const std::string &stem) {
                                   return stem.size() < kShortestFollowedStem || !inflectsStem(word, stem, language);
                               }),
                stems.end());
    return stems;
}

} // namespace trelvik
