#include "FuzzTargets.h"

#include "base/CodePages.h"
#include "base/Text.h"
#include "engine/FieldReader.h"
#include "engine/LookupContext.h"
#include "engine/VolumeSearch.h"
#include "services/ExampleText.h"
#include "userdict/DelimitedText.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace trelvik::fuzz {

namespace {

std::string_view asBytes(const std::uint8_t *data, std::size_t size)
{
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char *>(data), size);
}

bool pointsInto(std::string_view whole, std::string_view part)
{
    const char *begin = whole.data();
    return part.data() >= begin && part.data() + part.size() <= begin + whole.size();
}

// A private folder for the file-based targets, on a RAM disk where there is one: every user dictionary
// append syncs to disk, which on a real disk would slow the fuzzer down a hundredfold.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const char *base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : nullptr;
        std::string pattern = (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()).string()
                              + "/trelvik-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    ~ScratchFolder()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

const std::string &scratch()
{
    static const ScratchFolder folder;
    return folder.path();
}

bool writeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A word as the searches compare it: in the Russian column ё counts as е. Folded here byte by byte, apart from
// the engine's own comparisons, so that the check does not just repeat them.
std::string comparable(std::string_view text, Language language)
{
    std::string folded(text);
    if (language == Language::Russian) {
        for (char &c : folded)
            c = static_cast<char>(FoldYo(static_cast<unsigned char>(c)));
    }
    return folded;
}

// Checks a search's lists against what the rows say: exact hits in file order up to the limit, and
// nearest words that really contain the word.
std::string checkSearch(const std::vector<RecordView> &rows, const LookupContext &ctx)
{
    if (ctx.translations.size() > kMaxTranslations)
        return "translation count out of range";
    if (ctx.nearest.size() > kMaxNearestWords)
        return "nearest-word count out of range";

    const std::string word = comparable(ctx.word, ctx.from);
    std::vector<std::string_view> expected;
    for (const RecordView &row : rows) {
        if (IsEndRecord(row))
            break;
        if (comparable(row[ctx.from], ctx.from) == word && expected.size() < kMaxTranslations)
            expected.push_back(row[ctx.to]);
    }
    if (ctx.translations.size() != expected.size())
        return "the number of translations differs from the number of exact hits";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (ctx.translations[i] != expected[i])
            return "a translation is not the target word of its exact hit";
    }
    if (!ctx.nearest.empty() && ctx.word.size() <= 2)
        return "a word of one or two characters gave nearest words";
    for (const NearestPair &pair : ctx.nearest) {
        if (comparable(pair.word, ctx.from).find(word) == std::string::npos)
            return "a nearest word does not contain the searched word";
    }
    return {};
}

// Words worth searching for in a file: the first record's word in the source column (an exact hit for
// sure) and its first three bytes (a nearest-word search).
std::vector<std::string> wordsToSearch(const std::vector<RecordView> &rows, Language from)
{
    std::vector<std::string> words{std::string()};
    if (!rows.empty()) {
        const std::string_view word = rows.front()[from];
        words.emplace_back(word);
        if (word.size() > 3)
            words.emplace_back(word.substr(0, 3));
    }
    return words;
}

constexpr Language kLanguagePairs[][2] = {{Language::Russian, Language::Swedish},
                                          {Language::Swedish, Language::English},
                                          {Language::English, Language::Russian}};

} // namespace

std::string FuzzVolume(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = asBytes(data, size);
    std::vector<RecordView> rows;
    ReadVolumeRows(bytes, kVolumeRecordLimit, rows);
    if (rows.size() > static_cast<std::size_t>(kVolumeRecordLimit))
        return "more rows than the record limit";
    for (const RecordView &row : rows) {
        for (std::string_view field : {row.ru, row.sv, row.en}) {
            if (!field.empty() && !pointsInto(bytes, field))
                return "a field lies outside the volume's bytes";
        }
    }

    for (const auto &pair : kLanguagePairs) {
        for (const std::string &word : wordsToSearch(rows, pair[0])) {
            LookupContext ctx;
            ctx.word = word;
            ctx.from = pair[0];
            ctx.to = pair[1];
            ctx.findSynonyms = true;
            SearchVolumeBytes(bytes, ctx);
            if (std::string problem = checkSearch(rows, ctx); !problem.empty())
                return problem;
        }
    }
    return {};
}

std::string FuzzUserDict(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = asBytes(data, size);
    if (scratch().empty())
        return "cannot create a scratch folder";
    const std::string path = scratch() + "/user.dct";
    if (!writeFile(path, bytes))
        return "cannot write the scratch user dictionary";

    // Reading: a count passed in survives an empty file, and the table never outgrows the file.
    std::int32_t count = 7;
    UserTable table;
    const UserDictResult read = ReadUserDict(path, count, table);
    if (!read && read.error.empty())
        return "a failed read gave no reason";
    if (read && bytes.empty() && (count != 7 || !table.empty()))
        return "reading an empty file changed the count or the table";
    if (read && count > 0 && table.size() > static_cast<std::size_t>(count))
        return "the table holds more records than the count";
    if (table.size() > bytes.size())
        return "the table holds more records than the file has bytes";

    for (const auto &pair : kLanguagePairs) {
        std::vector<std::string> words{std::string()};
        if (!table.empty()) {
            const std::string &word = table.front()[pair[0]];
            words.push_back(word);
            if (word.size() > 3)
                words.push_back(word.substr(0, 3));
        }
        for (const std::string &word : words) {
            LookupContext ctx;
            ctx.word = word;
            ctx.from = pair[0];
            ctx.to = pair[1];
            LookupUserDict(path, ctx);
            if (ctx.translations.size() > kMaxTranslations || ctx.nearest.size() > kMaxNearestWords)
                return "a lookup overfilled a list";
            if (ctx.nearest.size() > 0 && word.size() <= 2)
                return "a word of one or two characters gave nearest words";
        }
    }
    if (readFile(path) != bytes)
        return "reading the user dictionary changed the file";

    // Appending: either the file is left exactly as it was, or it reads back as the copied records plus
    // the new one.
    const std::string russian = "\xF4\xF3\xE7\xE7"; // фузз
    const std::string english = "fuzz, en";
    const std::string swedish = "fuzz sv";
    std::int32_t before = -1;
    UserTable kept;
    const UserDictResult added = AddUserRecord(path, before, kept, Triple{russian, swedish, english});
    if (!added) {
        if (added.error.empty())
            return "a failed append gave no reason";
        if (readFile(path) != bytes)
            return "a failed append changed the file";
        return {};
    }
    if (before < 0 || kept.size() != static_cast<std::size_t>(before))
        return "an append reported a count that differs from the records it kept";

    std::int32_t after = 0;
    UserTable written;
    if (!ReadUserDict(path, after, written))
        return "the file written by an append cannot be read";
    if (after != before + 1 || written.size() != static_cast<std::size_t>(after))
        return "the file written by an append has a wrong count";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (!(written[i] == kept[i]))
            return "an append changed a record it copied";
    }
    if (!(written.back() == Triple{russian, swedish, english}))
        return "the appended record reads back differently";

    std::size_t sameWord = 0;
    for (const UserRecord &record : kept)
        sameWord += record.ru == russian ? 1 : 0;
    LookupContext ctx;
    ctx.word = russian;
    ctx.from = Language::Russian;
    ctx.to = Language::English;
    LookupUserDict(path, ctx);
    if (sameWord < kMaxTranslations && (ctx.translations.empty() || ctx.translations.back() != english))
        return "the appended record is not found by a lookup";
    return {};
}

std::string FuzzExampleText(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = asBytes(data, size);
    const std::string text = ExampleItemsAsLines(bytes);
    if (bytes.empty() != text.empty())
        return "an empty file must show nothing, and only an empty file";
    if (!text.empty() && text.compare(text.size() - 2, 2, "\r\n") != 0)
        return "the last item is not followed by a line break";
    if (text.size() > 3 * bytes.size() + 2)
        return "the shown text is out of proportion to the file";

    // Items are what the field reader yields, so the lines must be exactly those fields.
    std::string expected;
    FieldReader reader(bytes);
    while (!reader.atEnd())
        expected.append(reader.next()).append("\r\n");
    if (text != expected)
        return "the shown lines differ from the file's items";
    return {};
}

std::string FuzzWordList(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = asBytes(data, size);
    for (const char separator : {',', '\t', ';'}) {
        std::size_t lastLine = 0;
        std::string written = "header\n"; // keeps a first cell that starts like a byte-order mark a cell
        std::vector<std::vector<std::string>> expected;
        const std::vector<DelimitedRow> rows = ReadDelimited(bytes, separator);
        // A text that arrives in two pieces, cut anywhere, gives the same rows.
        std::vector<DelimitedRow> cutRows;
        const DelimitedReader::RowTaker keep = [&cutRows](DelimitedRow &row) { cutRows.push_back(row); };
        DelimitedReader reader(separator);
        const std::size_t cut = size == 0 ? 0 : data[0] % size;
        reader.Feed(bytes.substr(0, cut), keep);
        reader.Feed(bytes.substr(cut), keep);
        reader.Finish(keep);
        if (cutRows.size() != rows.size())
            return "a text cut in two reads as a different number of rows";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (cutRows[i].line != rows[i].line || cutRows[i].cells != rows[i].cells
                || cutRows[i].unterminated != rows[i].unterminated)
                return "a text cut in two reads as other rows";
        }
        for (const DelimitedRow &row : rows) {
            if (row.line <= lastLine)
                return "row numbers do not grow";
            lastLine = row.line;
            if (row.cells.empty())
                return "a row without cells";
            std::vector<std::string> cells = row.cells;
            cells.resize(3);
            AppendDelimitedRow(written, {cells[0], cells[1], cells[2]}, separator, "\r\n");
            expected.push_back(std::move(cells));
        }
        const std::vector<DelimitedRow> reread = ReadDelimited(written, separator);
        if (reread.size() != expected.size() + 1)
            return "written rows read back as a different number of rows";
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (reread[i + 1].cells != expected[i] || reread[i + 1].unterminated)
                return "a written row reads back as other cells";
        }
    }
    return {};
}

std::string FuzzCodePages(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = asBytes(data, size);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    for (CodePage page : {CodePage::Windows1251, CodePage::Windows1252}) {
        // Decoding never fails and keeps one character per byte; every defined byte encodes back to itself.
        const std::u16string decoded = DecodeToUtf16(bytes, page);
        if (decoded.size() != bytes.size())
            return "decoding changed the length";
        std::size_t firstUndefined = decoded.find(u'\uFFFD');
        std::string back;
        std::size_t bad = 0;
        const bool encoded = EncodeFromUtf16(decoded, page, back, &bad);
        if (encoded != (firstUndefined == std::u16string::npos))
            return "decoded text does not encode back exactly when every byte is defined";
        if (encoded && back != bytes)
            return "decode then encode did not give the bytes back";
        if (!encoded && bad != firstUndefined)
            return "the reported position is not the first character that does not fit";

        // Encoding either fails on a character the code page lacks, or round-trips.
        std::string single;
        bad = 0;
        if (EncodeFromUtf16(units, page, single, &bad)) {
            if (DecodeToUtf16(single, page) != units)
                return "encode then decode did not give the text back";
        } else {
            if (bad >= units.size() || EncodeCodePoint(units[bad], page) >= 0 || !single.empty())
                return "a failed encoding points at a character that fits";
            for (std::size_t i = 0; i < bad; ++i) {
                if (EncodeCodePoint(units[i], page) < 0)
                    return "a failed encoding skipped an earlier character that does not fit";
            }
        }

        // The add-words path lower-cases and trims; both keep within the bytes they were given.
        const std::string lower = LowerCaseWord(bytes, page);
        if (lower.size() != bytes.size() || LowerCaseWord(lower, page) != lower)
            return "lower-casing changed the length or is not stable";
        const std::string_view trimmed = TrimSpaces(bytes);
        if (trimmed.size() > bytes.size() || (!trimmed.empty() && !pointsInto(bytes, trimmed)))
            return "trimming left the text";
    }
    return {};
}

} // namespace trelvik::fuzz
