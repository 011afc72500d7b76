#include "UserDictFile.h"

#include "engine/FieldReader.h"
#include "engine/FileIO.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <unistd.h>

namespace trelvik {

namespace {

UserDictResult failure(std::string message) { return UserDictResult{false, std::move(message)}; }

std::string notACount(const std::string &fileName)
{
    return "The user dictionary " + fileName + " is damaged: its first line is not a record count.";
}

void appendRecordLine(std::string &out, const std::array<std::string_view, 3> &fields)
{
    out += '"';
    out += fields[0];
    out += "\",\"";
    out += fields[1];
    out += "\",\"";
    out += fields[2];
    out += "\"\r\n";
}

std::string countLine(std::int32_t count) { return " " + std::to_string(count) + " \r\n"; }

UserRecord toRecord(const RecordView &record)
{
    return UserRecord{{std::string(record[0]), std::string(record[1]), std::string(record[2])}};
}

// The one reader of a user dictionary's content: parses the count on line 1 into fileCount, then hands
// every record that follows, by the reading rules, to take until take returns false. False when line 1 is
// not a record count.
template <typename Take>
bool readRecords(std::string_view bytes, std::int32_t &fileCount, Take &&take)
{
    FieldReader reader(bytes);
    if (!ParseRecordCount(reader.next(), fileCount))
        return false;
    RecordView record;
    while (!reader.atEnd()) {
        reader.nextRecord(record);
        if (!take(record))
            break;
    }
    return true;
}

// Whether a line, without its line end, is a record as the writer writes it: three words in double quotes
// separated by commas, or the line of two commas that stands for three unset words.
bool isWrittenRecord(std::string_view line)
{
    if (line == ",,")
        return true;
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (pos >= line.size() || line[pos++] != ','))
            return false;
        if (pos >= line.size() || line[pos] != '"')
            return false;
        const std::size_t close = line.find_first_of("\"\r", pos + 1);
        if (close == std::string_view::npos || line[close] != '"')
            return false;
        pos = close + 1;
    }
    return pos == line.size();
}

// The number (from 1) of the first line that a rewrite would not give back as it stands, or 0 when the
// whole file is in the written form. Line ends may be CR LF or, throughout the file, LF; blank lines may
// follow the last record.
std::size_t firstLineNotInWrittenForm(std::string_view bytes)
{
    const bool crlf = bytes.find("\r\n") != std::string_view::npos;
    std::size_t number = 0;
    std::size_t firstBlank = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        ++number;
        const std::size_t lf = bytes.find('\n', pos);
        std::string_view line = bytes.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos);
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
        if (crlf && lf != std::string_view::npos) {
            if (line.empty() || line.back() != '\r')
                return number;
            line.remove_suffix(1);
        }
        if (number == 1) {
            const std::size_t first = line.find_first_not_of(" \t");
            const std::size_t last = line.find_last_not_of(" \t");
            std::int32_t count = 0;
            if (first == std::string_view::npos || !ParseRecordCount(line.substr(first, last - first + 1), count))
                return 1;
        } else if (line.empty()) {
            firstBlank = firstBlank ? firstBlank : number;
        } else if (firstBlank || !isWrittenRecord(line)) {
            return firstBlank ? firstBlank : number;
        }
    }
    return 0;
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

} // namespace

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
    if (word.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return "A word cannot contain a line break.";
    return {};
}

UserDictResult ReadUserDict(const std::string &fileName, std::int32_t &count, UserTable &table)
{
    std::string bytes;
    std::string error;
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok)
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

UserDictResult WriteUserDict(const std::string &fileName, std::int32_t count, const UserTable &table)
{
    if (count < 0)
        count = 0;
    if (static_cast<std::size_t>(count) > table.size())
        return failure("Cannot write " + fileName + ": the table holds fewer records than its count.");

    std::string out = countLine(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const UserRecord &record = table[static_cast<std::size_t>(i)];
        for (const std::string &word : record.field) {
            if (word.find('"') != std::string::npos)
                return failure("Cannot write " + fileName + ": a word holds a double quote.");
        }
        appendRecordLine(out, {record.field[0], record.field[1], record.field[2]});
    }

    WriterLock lock(fileName);
    if (!lock.error().empty())
        return failure(lock.error());
    RemoveStaleTemporaries(fileName);
    std::string error;
    if (!ReplaceFileAtomically(fileName, out, error))
        return failure(error);
    return {};
}

UserDictResult AddUserRecord(const std::string &fileName, std::int32_t &count, UserTable &table,
                             std::string_view russian, std::string_view english, std::string_view swedish)
{
    const std::vector<UserRecord> one{UserRecord{{std::string(russian), std::string(swedish), std::string(english)}}};
    return AddUserRecords(fileName, count, table, one);
}

UserDictResult AddUserRecords(const std::string &fileName, std::int32_t &count, UserTable &table,
                              const std::vector<UserRecord> &records)
{
    for (const UserRecord &record : records) {
        for (const std::string &word : record.field) {
            if (std::string reason = CheckStorableWord(word); !reason.empty())
                return failure(reason);
        }
    }

    // Without the lock nothing is written: another writer could be between its read and its rename.
    WriterLock lock(fileName);
    if (!lock.error().empty())
        return failure(lock.error());
    // A writer killed before its rename leaves its temporary file behind; under the lock, any such file
    // is such a leftover.
    RemoveStaleTemporaries(fileName);

    std::string bytes;
    std::string error;
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok)
        return failure(error);

    // Copy every record the file really holds, whatever line 1 claims: rows missing behind a too large count
    // would become empty records that hide the new one, and records behind a too small count would be lost.
    // Records of three empty words carry nothing and would hide the new record from every lookup.
    UserTable kept;
    std::string out;
    if (!bytes.empty()) {
        if (const std::size_t bad = firstLineNotInWrittenForm(bytes); bad == 1) {
            return failure(notACount(fileName));
        } else if (bad > 1) {
            return failure("The user dictionary " + fileName + " was left as it is: line " + std::to_string(bad)
                           + " is not three words in double quotes, separated by commas.");
        }
        std::int32_t fileCount = 0;
        readRecords(bytes, fileCount, [&](const RecordView &record) {
            if (!IsEndRecord(record)) {
                appendRecordLine(out, record);
                kept.push_back(toRecord(record));
            }
            return true;
        });
    }
    if (records.empty()) {
        count = static_cast<std::int32_t>(kept.size());
        table = std::move(kept);
        return {};
    }
    if (kept.size() + records.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return failure("The user dictionary " + fileName + " is full.");
    for (const UserRecord &record : records)
        appendRecordLine(out, {record.field[0], record.field[1], record.field[2]});

    std::string whole = countLine(static_cast<std::int32_t>(kept.size() + records.size()));
    whole += out;
    if (!ReplaceFileAtomically(fileName, whole, error))
        return failure(error);

    count = static_cast<std::int32_t>(kept.size());
    table = std::move(kept);
    return {};
}

} // namespace trelvik
