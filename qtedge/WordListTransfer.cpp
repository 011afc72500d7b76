#include "WordListTransfer.h"

#include "AppFolder.h"
#include "QtText.h"
#include "TypedWords.h"
#include "engine/LookupContext.h"
#include "engine/Text.h"
#include "userdict/DelimitedText.h"
#include "userdict/WordList.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace trelvik {

namespace {

QByteArray utf8OfColumn(const UserRecord &record, int column)
{
    return FromSingleByte(record.field[static_cast<std::size_t>(column - 1)], CodePageOfColumn(column)).toUtf8();
}

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A word list saved as "Unicode text" is UTF-16 with a byte-order mark; everything else is read as UTF-8.
std::optional<std::string> utf8OfUtf16(std::string_view bytes)
{
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    const bool big = bytes.substr(0, 2) == "\xFE\xFF";
    if (!little && !big)
        return std::nullopt;
    QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    const QString text = decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).sliced(2));
    return text.toStdString();
}

// What makes two records the same triple: their words, with ё read as е as every comparison reads it.
std::array<std::string, 3> sameTripleKey(const UserRecord &record)
{
    std::array<std::string, 3> key = record.field;
    for (char &c : key[kRussianColumn - 1])
        c = static_cast<char>(FoldYo(static_cast<unsigned char>(c)));
    return key;
}

using TripleKeys = std::set<std::array<std::string, 3>>;

TripleKeys keysOf(const UserTable &records)
{
    TripleKeys keys;
    for (const UserRecord &record : records)
        keys.insert(sameTripleKey(record));
    return keys;
}

bool isBlankRow(const DelimitedRow &row)
{
    for (const std::string &cell : row.cells) {
        if (cell.find_first_not_of(' ') != std::string::npos)
            return false;
    }
    return !row.unterminated;
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
        const QByteArray ru = utf8OfColumn(record, kRussianColumn);
        const QByteArray sv = utf8OfColumn(record, kSwedishColumn);
        const QByteArray en = utf8OfColumn(record, kEnglishColumn);
        AppendDelimitedRow(exported.text, {view(ru), view(sv), view(en)}, separator, lineEnd);
    }
    exported.records = records.size();
    return {};
}

std::size_t ImportPlan::added() const noexcept
{
    std::size_t n = 0;
    for (const ImportRow &row : rows)
        n += row.fate == ImportRow::Fate::Add ? 1 : 0;
    return n;
}

std::vector<UserRecord> ImportPlan::recordsToAdd() const
{
    std::vector<UserRecord> records;
    for (const ImportRow &row : rows) {
        if (row.fate == ImportRow::Fate::Add)
            records.push_back(row.record);
    }
    return records;
}

char SeparatorOfWordList(const QString &fileName, std::string_view bytes)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"tsv" || suffix == u"tab")
        return '\t';
    if (suffix == u"csv")
        return SniffSeparator(bytes, ",;");
    return SniffSeparator(bytes, ",\t;");
}

ImportPlan PlanImport(std::string_view bytes, char separator, const UserTable &existing)
{
    ImportPlan plan;
    std::string converted;
    if (std::optional<std::string> utf8 = utf8OfUtf16(bytes)) {
        converted = std::move(*utf8);
        bytes = converted;
    }

    const TripleKeys present = keysOf(existing);

    WordListLayout layout = DefaultWordListLayout();
    bool firstRow = true;
    for (const DelimitedRow &row : ReadDelimited(bytes, separator)) {
        if (isBlankRow(row))
            continue;
        if (std::exchange(firstRow, false) && LayoutOfHeader(row.cells, layout))
            continue;

        const auto problem = [&](const QString &reason) { plan.problems.push_back({row.line, reason}); };
        if (row.unterminated) {
            problem(QStringLiteral("a quoted cell has no closing quote"));
            continue;
        }
        bool utf8 = true;
        for (const std::string &cell : row.cells)
            utf8 = utf8 && IsValidUtf8(cell);
        if (!utf8) {
            problem(QStringLiteral("not UTF-8 text; save the list as UTF-8"));
            continue;
        }
        std::size_t needed = 0;
        for (std::size_t i = 0; i < layout.size(); ++i)
            needed = layout[i] != 0 ? i + 1 : needed;
        std::size_t used = row.cells.size();
        while (used > layout.size() && row.cells[used - 1].find_first_not_of(' ') == std::string::npos)
            --used;
        if (used < needed || used > layout.size()) {
            problem(QStringLiteral("%1 cells where %2 are expected").arg(row.cells.size()).arg(layout.size()));
            continue;
        }

        QString byColumn[4]; // indexed by language column; 0 collects the cells of no language
        for (std::size_t i = 0; i < std::min(layout.size(), row.cells.size()); ++i)
            byColumn[layout[i]] = QString::fromStdString(row.cells[i]);
        const PreparedWords prepared = PrepareTypedWords(byColumn[kRussianColumn], byColumn[kEnglishColumn],
                                                         byColumn[kSwedishColumn], EmptyFields::Allowed);
        if (!prepared) {
            QString reason = prepared.message;
            if (prepared.field >= 0)
                reason +=
                    QStringLiteral(" (%1)").arg(QLatin1String(kWordListHeader[ColumnOfNewWord(prepared.field) - 1]));
            if (!prepared.detail.isEmpty())
                reason += QStringLiteral(": ") + prepared.detail;
            problem(reason);
            continue;
        }

        ImportRow planned;
        planned.line = row.line;
        planned.record = prepared.record;
        if (present.count(sameTripleKey(planned.record)) != 0)
            planned.fate = ImportRow::Fate::AlreadyPresent;
        plan.rows.push_back(std::move(planned));
    }
    return plan;
}

ImportOutcome ImportWordList(const std::string &userDictPath, std::string_view bytes, char separator, bool dryRun)
{
    ImportOutcome outcome;
    UserTable existing;
    std::size_t emptyRecords = 0;
    // A dry run leaves even a missing user dictionary missing; reading would create it.
    struct stat st {};
    const bool readable = !dryRun || ::stat(userDictPath.c_str(), &st) == 0;
    if (const UserDictResult read =
            readable ? ReadEveryUserRecord(userDictPath, existing, emptyRecords) : UserDictResult{};
        !read) {
        outcome.fileError = FromEngineMessage(read.error);
        return outcome;
    }
    outcome.plan = PlanImport(bytes, separator, existing);
    if (dryRun || !outcome.plan.problems.empty())
        return outcome;

    const std::vector<UserRecord> records = outcome.plan.recordsToAdd();
    if (records.empty()) {
        outcome.stored = true;
        return outcome;
    }
    std::string target = userDictPath;
    std::string note;
    if (const UserDictResult moved = UseWritableUserDictionary(target, note); !moved) {
        outcome.fileError = FromEngineMessage(moved.error);
        return outcome;
    }
    outcome.note = FromEngineMessage(note);
    // The plan was made before the lock was taken: what the file holds under the lock decides.
    const auto skipPresent = [&outcome](const UserTable &now, std::vector<UserRecord> &chosen) {
        const TripleKeys present = keysOf(now);
        for (ImportRow &row : outcome.plan.rows) {
            if (row.fate == ImportRow::Fate::Add && present.count(sameTripleKey(row.record)) != 0)
                row.fate = ImportRow::Fate::AlreadyPresent;
        }
        chosen = outcome.plan.recordsToAdd();
    };
    std::int32_t count = 0;
    UserTable before;
    if (const UserDictResult added = AddUserRecords(target, count, before, records, skipPresent); !added) {
        outcome.fileError = FromEngineMessage(added.error);
        return outcome;
    }
    outcome.stored = true;
    return outcome;
}

} // namespace trelvik
