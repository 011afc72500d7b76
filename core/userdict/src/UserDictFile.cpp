#include "userdict/UserDictFile.h"

#include "base/FileIO.h"
#include "engine/FieldReader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace trelvik {

namespace {

UserDictResult failure(std::string message)
{
    return UserDictResult{false, std::move(message)};
}

std::string notACount(const std::string &fileName)
{
    return "The user dictionary " + fileName + " is damaged: its first line is not a record count.";
}

template <class Text> void appendRecordLine(std::string &out, const BasicTriple<Text> &words)
{
    out += '"';
    out += words.ru;
    out += "\",\"";
    out += words.sv;
    out += "\",\"";
    out += words.en;
    out += "\"\r\n";
}

// The first reason a word of the record cannot be stored, or an empty text.
std::string unstorableWord(const Triple &record)
{
    for (const Language language : kLanguages) {
        if (std::string reason = CheckStorableWord(record[language]); !reason.empty())
            return reason;
    }
    return {};
}

std::string full(const std::string &fileName)
{
    return "The user dictionary " + fileName + " is full.";
}

std::string countLine(std::int32_t count)
{
    return " " + std::to_string(count) + " \r\n";
}

Triple toRecord(const RecordView &record)
{
    return Triple{std::string(record.ru), std::string(record.sv), std::string(record.en)};
}

// Whether the record that the reader has just read, from offset start on, is a line as the writer writes
// it: three words in double quotes separated by commas, or the two commas that stand for three unset
// words, then the line end or the end of the data. Only such records are written back exactly as read.
bool isWrittenRecord(std::string_view bytes, std::size_t start, const RecordView &record, const FieldReader &reader)
{
    const auto offsetOf = [&](std::string_view field) { return static_cast<std::size_t>(field.data() - bytes.data()); };
    std::size_t end = 0; // just behind the record's text
    if (bytes.compare(start, 2, ",,") == 0 && IsEndRecord(record)) {
        end = start + 2;
    } else {
        if (bytes[start] != '"' || offsetOf(record.ru) != start + 1)
            return false;
        for (const auto &[before, after] : {std::pair{record.ru, record.sv}, std::pair{record.sv, record.en}}) {
            const std::size_t behind = offsetOf(before) + before.size();
            if (offsetOf(after) != behind + 3 || bytes.compare(behind, 3, "\",\"") != 0)
                return false;
        }
        end = offsetOf(record.en) + record.en.size();
        if (end >= bytes.size() || bytes[end] != '"')
            return false;
        ++end;
    }
    if (end == bytes.size())
        return reader.position() == end;
    if (reader.lfLineEnds())
        return bytes[end] == '\n' && reader.position() == end + 1;
    return bytes.compare(end, 2, "\r\n") == 0 && reader.position() == end + 2;
}

// The one reader of a user dictionary's content: parses the count on line 1 into fileCount, then hands
// every record that follows, by the reading rules, to take until take returns false. False when line 1 is
// not a record count. With badLine given, the file must also be in the written form (blank lines may
// follow the last record): reading stops at the first line that is not, and badLine is its number, or 0.
template <typename Take>
bool readRecords(std::string_view bytes, std::int32_t &fileCount, Take &&take, std::size_t *badLine = nullptr)
{
    FieldReader reader(bytes);
    if (!ParseRecordCount(reader.next(), fileCount))
        return false;
    const auto lineAt = [&](std::size_t offset) {
        return 1
               + static_cast<std::size_t>(
                   std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    };
    if (badLine) {
        *badLine = 0;
        // Line 1 holds the count alone.
        const std::size_t behind = reader.position();
        if (behind < bytes.size() && bytes[behind - 1] != '\n') {
            *badLine = 1;
            return true;
        }
    }
    RecordView record;
    while (!reader.atEnd()) {
        const std::size_t start = reader.position();
        if (badLine && (bytes[start] == '\r' || bytes[start] == '\n')) {
            if (bytes.find_first_not_of("\r\n", start) != std::string_view::npos)
                *badLine = lineAt(start);
            break;
        }
        const int fields = reader.nextRecord(record);
        if (badLine && (fields < 3 || !isWrittenRecord(bytes, start, record, reader))) {
            *badLine = lineAt(start);
            break;
        }
        if (!take(record))
            break;
    }
    return true;
}

// Holds an exclusive lock on "<file>.lock" for the lifetime of the object. The lock lives beside the
// dictionary rather than on it, because every write replaces the dictionary's inode, and beside the file
// that links lead to, so that every name of one dictionary shares one lock.
class WriterLock {
public:
    explicit WriterLock(const std::string &fileName) : m_name(ResolvedPath(fileName) + ".lock")
    {
        constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
        m_fd = ::open(m_name.c_str(), O_RDWR | O_CREAT | kFlags, 0666);
        int err = errno;
        if (m_fd < 0) {
            // A lock file left by another user, or a folder in its place, still takes a lock through a
            // read-only descriptor.
            m_fd = ::open(m_name.c_str(), O_RDONLY | kFlags);
            if (m_fd < 0 && errno != ENOENT)
                err = errno;
        }
        while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            ::close(m_fd);
            m_fd = -1;
        }
        if (m_fd < 0)
            m_error = "Cannot lock " + m_name + ": " + std::strerror(err);
    }
    WriterLock(const WriterLock &) = delete;
    WriterLock &operator=(const WriterLock &) = delete;
    ~WriterLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // Empty while the lock is held, otherwise why it could not be taken.
    const std::string &error() const noexcept { return m_error; }

private:
    std::string m_name;
    std::string m_error;
    int m_fd = -1;
};

// Runs work while holding the writers' lock of fileName, whose folder is created first if need be. Without the
// lock nothing is written: another writer could be between its read and its rename. A writer killed before its
// rename leaves its temporary file behind; under the lock, any such file is such a leftover.
template <typename Work> UserDictResult underWriterLock(const std::string &fileName, Work &&work)
{
    std::string error;
    if (!EnsureFolderOf(fileName, error))
        return failure(error);
    WriterLock lock(fileName);
    if (!lock.error().empty())
        return failure(lock.error());
    RemoveStaleTemporaries(fileName);
    return work();
}

} // namespace

std::string NotACountMessage(const std::string &fileName)
{
    return notACount(fileName);
}

bool ParseRecordCount(std::string_view text, std::int32_t &count) noexcept
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    count = value;
    return true;
}

std::string CheckStorableWord(std::string_view word)
{
    if (word.find('"') != std::string_view::npos)
        return "A word cannot contain a double quote (\").";
    if (word.find_first_of("\r\n") != std::string_view::npos)
        return "A word cannot contain a line break.";
    if (word.find('\0') != std::string_view::npos)
        return "A word cannot contain a NUL character.";
    return {};
}

UserDictResult ReadUserDict(const std::string &fileName, std::int32_t &count, UserTable &table)
{
    std::string bytes;
    std::string error;
    if (!EnsureFolderOf(fileName, error)
        || ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok)
        return failure(error);
    if (bytes.empty())
        return {};

    std::int32_t fileCount = 0;
    UserTable read;
    const bool ok = readRecords(bytes, fileCount, [&](const RecordView &record) {
        if (static_cast<std::int64_t>(read.size()) >= fileCount)
            return false;
        read.push_back(toRecord(record));
        return true;
    });
    if (!ok)
        return failure(notACount(fileName));

    count = fileCount;
    if (fileCount > 0)
        table = std::move(read);
    return {};
}

UserDictResult ReadUserDictCount(const std::string &fileName, std::int32_t &count)
{
    // Line 1 is a handful of bytes, so a short read almost always holds it; only a first value that runs
    // past it needs the whole file, so that a number is never cut in two.
    constexpr std::size_t kCountLineBytes = 4096;
    std::string bytes;
    std::string error;
    if (!EnsureFolderOf(fileName, error))
        return failure(error);
    for (const std::size_t limit : {kCountLineBytes, kMaxDataFileBytes}) {
        if (ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error, limit) != ReadStatus::Ok)
            return failure(error);
        if (bytes.empty())
            return {};
        FieldReader reader(bytes);
        const std::string_view first = reader.next();
        if (reader.atEnd() && bytes.size() == limit && limit != kMaxDataFileBytes)
            continue;
        if (!ParseRecordCount(first, count))
            return failure(notACount(fileName));
        return {};
    }
    return {};
}

UserDictResult ReadEveryUserRecord(const std::string &fileName, UserTable &records, std::size_t &emptyRecords)
{
    records.clear();
    emptyRecords = 0;
    std::string bytes;
    std::string error;
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 && errno == ENOENT)
        return {};
    if (ReadWholeFile(fileName, /*createIfMissing=*/false, bytes, &error) != ReadStatus::Ok)
        return failure(error);
    if (bytes.empty())
        return {};
    std::int32_t fileCount = 0;
    const bool ok = readRecords(bytes, fileCount, [&](const RecordView &record) {
        if (IsEndRecord(record))
            ++emptyRecords;
        else
            records.push_back(toRecord(record));
        return true;
    });
    if (!ok)
        return failure(notACount(fileName));
    return {};
}

UserDictResult WriteUserDict(const std::string &fileName, std::int32_t count, const UserTable &table)
{
    if (count < 0)
        count = 0;
    if (static_cast<std::size_t>(count) > table.size())
        return failure("Cannot write " + fileName + ": the table holds fewer records than its count.");

    std::string out = countLine(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const UserRecord &record = table[static_cast<std::size_t>(i)];
        if (std::string reason = unstorableWord(record); !reason.empty())
            return failure("Cannot write " + fileName + ": " + reason);
        appendRecordLine(out, record);
    }
    if (out.size() > kMaxDataFileBytes)
        return failure(full(fileName));

    return underWriterLock(fileName, [&] {
        std::string error;
        return ReplaceFileAtomically(fileName, out, error) ? UserDictResult{} : failure(error);
    });
}

UserDictResult CopyUserDictIfMissing(const std::string &from, const std::string &to, bool &copied)
{
    copied = false;
    return underWriterLock(to, [&] {
        struct stat st {};
        if (::stat(to.c_str(), &st) == 0)
            return UserDictResult{};
        std::string bytes;
        std::string error;
        if (ReadWholeFile(from, /*createIfMissing=*/false, bytes, &error) != ReadStatus::Ok
            || !ReplaceFileAtomically(to, bytes, error))
            return failure(error);
        copied = true;
        return UserDictResult{};
    });
}

RecordLines::RecordLines(const std::vector<UserRecord> &records)
{
    for (const UserRecord &record : records)
        Append(record);
}

bool RecordLines::Append(const UserRecord &record)
{
    if (!unstorableWord(record).empty())
        return false;
    appendRecordLine(m_lines, record);
    ++m_count;
    return true;
}

namespace {

// Reads the record whose line starts at pos in lines; returns where the next line starts. Every line is
// '"' word '","' word '","' word '"' CR LF, and no word holds a double quote.
std::size_t readRecordLine(const std::string &lines, std::size_t pos, UserRecord &record)
{
    ++pos;
    for (const Language language : kLanguages) {
        const std::size_t end = lines.find('"', pos);
        record[language].assign(lines, pos, end - pos);
        pos = end + 3;
    }
    return pos;
}

} // namespace

void RecordLines::ForEach(const std::function<void(const UserRecord &record)> &take) const
{
    UserRecord record;
    for (std::size_t pos = 0; pos < m_lines.size();) {
        pos = readRecordLine(m_lines, pos, record);
        take(record);
    }
}

void RecordLines::KeepIf(const std::function<bool(const UserRecord &record)> &keep)
{
    // In place: the kept lines move towards the front, and the memory is never needed twice.
    UserRecord record;
    std::size_t kept = 0;
    m_count = 0;
    for (std::size_t pos = 0; pos < m_lines.size();) {
        const std::size_t next = readRecordLine(m_lines, pos, record);
        if (keep(record)) {
            std::char_traits<char>::move(&m_lines[kept], &m_lines[pos], next - pos);
            kept += next - pos;
            ++m_count;
        }
        pos = next;
    }
    m_lines.resize(kept);
}

namespace {

constexpr std::size_t kCountLineRoom = 16;

// The read-modify-write of an append, run under the writers' lock.
UserDictResult appendLocked(const std::string &fileName, std::int32_t &count, UserTable &table, RecordLines &records,
                            const RecordLinesFilter &filter)
{
    std::string error;
    // A missing file is simply empty: the rewrite creates it, and says so if it cannot.
    std::string bytes;
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return failure("Cannot write " + fileName + ": not a regular file");
        // Checked before reading, so that a file at the limit costs nothing to refuse. The new count line
        // is at most a dozen bytes longer than the old one.
        if (static_cast<std::size_t>(st.st_size) + records.Lines().size() + kCountLineRoom > kMaxDataFileBytes)
            return failure(full(fileName));
        if (ReadWholeFile(fileName, /*createIfMissing=*/false, bytes, &error) != ReadStatus::Ok)
            return failure(error);
    } else if (errno != ENOENT) {
        return failure("Cannot open " + fileName + ": " + std::strerror(errno));
    }

    // Copy every record the file really holds, whatever line 1 claims: rows missing behind a too large count
    // would become empty records that hide the new one, and records behind a too small count would be lost.
    // Records of three empty words carry nothing and would hide the new record from every lookup.
    UserTable kept;
    std::string out;
    if (!bytes.empty()) {
        std::int32_t fileCount = 0;
        std::size_t badLine = 0;
        const bool counted = readRecords(
            bytes, fileCount,
            [&](const RecordView &record) {
                if (!IsEndRecord(record)) {
                    appendRecordLine(out, record);
                    kept.push_back(toRecord(record));
                }
                return true;
            },
            &badLine);
        if (!counted)
            return failure(notACount(fileName));
        if (badLine == 1)
            return failure("The user dictionary " + fileName
                           + " was left as it is: line 1 is not the record count alone.");
        if (badLine > 1)
            return failure("The user dictionary " + fileName + " was left as it is: line " + std::to_string(badLine)
                           + " is not three words in double quotes, separated by commas.");
    }
    if (filter)
        filter(kept, records);
    if (records.empty()) {
        count = static_cast<std::int32_t>(kept.size());
        table = std::move(kept);
        return {};
    }
    if (kept.size() + records.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return failure(full(fileName));

    const std::string head = countLine(static_cast<std::int32_t>(kept.size() + records.size()));
    if (!ReplaceFileAtomically(fileName, {head, out, records.Lines()}, error))
        return failure(error);

    count = static_cast<std::int32_t>(kept.size());
    table = std::move(kept);
    return {};
}

} // namespace

UserDictResult AddUserRecord(const std::string &fileName, std::int32_t &count, UserTable &table, const Triple &words)
{
    return AddUserRecords(fileName, count, table, std::vector<UserRecord>{words});
}

UserDictResult AddUserRecords(const std::string &fileName, std::int32_t &count, UserTable &table,
                              std::vector<UserRecord> records, const NewRecordFilter &filter)
{
    for (const UserRecord &record : records) {
        if (std::string reason = unstorableWord(record); !reason.empty())
            return failure(reason);
    }
    RecordLinesFilter linesFilter;
    if (filter) {
        linesFilter = [&filter, &records](const UserTable &present, RecordLines &lines) {
            filter(present, records);
            lines = RecordLines(records);
        };
    }
    return AddRecordLines(fileName, count, table, RecordLines(records), linesFilter);
}

UserDictResult AddRecordLines(const std::string &fileName, std::int32_t &count, UserTable &table, RecordLines records,
                              const RecordLinesFilter &filter)
{
    return underWriterLock(fileName, [&] { return appendLocked(fileName, count, table, records, filter); });
}

} // namespace trelvik
