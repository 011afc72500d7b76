#include "HunspellBaseForms.h"

#include "engine/CodePages.h"
#include "engine/FileIO.h"
#include "engine/LookupContext.h"

#include <hunspell/hunspell.hxx>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <unordered_map>

namespace trelvik {

extern const char kEnglishIrregularText[];

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
std::string affEncoding(std::string_view aff)
{
    std::istringstream lines{std::string(withoutByteOrderMark(aff))};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, 3, "SET") != 0 || line.size() < 4 || (line[3] != ' ' && line[3] != '\t'))
            continue;
        std::istringstream words(line.substr(4));
        std::string encoding;
        words >> encoding;
        return encoding;
    }
    return "ISO8859-1";
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
    for (int i = 0; i < 2; ++i) {
        std::string error;
        // Of the .dic only the first line is checked; its words are Hunspell's to read.
        const std::size_t wanted = i == 0 ? kMaxDictionaryFileBytes : 4096;
        if (ReadWholeFile(stem + extensions[i], /*createIfMissing=*/false, texts[i], &error, wanted) != ReadStatus::Ok)
            return cannotUse(error);
    }
    if (!beginsWithWordCount(texts[1]))
        return cannotUse(stem + ".dic does not begin with its number of words");
    if (const std::string encoding = affEncoding(texts[0]); !isUtf8Name(encoding))
        return "Looking up word forms needs Hunspell dictionaries in UTF-8: " + stem + ".aff is in " + encoding + ".";
    return {};
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
    std::string problem;
    for (int column : columns) {
        const HunspellDictionary dictionary = HunspellDictionaryOf(column);
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
    Language(const std::string &folder, int column) : m_codePage(CodePageOfColumn(column))
    {
        const std::string stem = folder + "/" + std::string(HunspellDictionaryOf(column).name);
        bool missing = false;
        if (!dictionaryProblem(folder, HunspellDictionaryOf(column).name, missing).empty() || missing)
            return;
        m_hunspell = std::make_unique<Hunspell>((stem + ".aff").c_str(), (stem + ".dic").c_str());
        if (!isUtf8Name(m_hunspell->get_dict_encoding()))
            m_hunspell.reset();
    }

    std::vector<std::string> stems(std::string_view word) const
    {
        std::vector<std::string> result;
        if (!m_hunspell)
            return result;
        const std::string asked = DecodeToUtf8(word, m_codePage);
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
