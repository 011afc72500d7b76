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

// Holds an exclusive lock on "<file>.lock" for the lifetime of the object. The lock lives beside the
// dictionary rather than on it, because every write replaces the dictionary's inode.
class WriterLock {
public:
    explicit WriterLock(const std::string &fileName)
    {
        const std::string lockName = fileName + ".lock";
        m_fd = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd < 0)
            return; // a folder we cannot create the lock in cannot take the new file either; the write says why
        while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    WriterLock(const WriterLock &) = delete;
    WriterLock &operator=(const WriterLock &) = delete;
    ~WriterLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
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

UserDictResult ReadEveryUserRecord(const std::string &fileName, UserTable &records, std::size_t &emptyRecords)
{
    records.clear();
    emptyRecords = 0;
    std::string bytes;
    std::string error;
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok)
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
        for (const std::string &word : record.field) {
            if (word.find('"') != std::string::npos)
                return failure("Cannot write " + fileName + ": a word holds a double quote.");
        }
        appendRecordLine(out, {record.field[0], record.field[1], record.field[2]});
    }

    WriterLock lock(fileName);
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

    WriterLock lock(fileName);
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
    std::string refusal;
    if (!bytes.empty()) {
        std::int32_t fileCount = 0;
        const bool ok = readRecords(bytes, fileCount, [&](const RecordView &record) {
            if (IsEndRecord(record))
                return true;
            for (std::string_view word : record) {
                if (word.find('"') != std::string_view::npos) {
                    refusal = "The user dictionary " + fileName
                              + " holds a word with a double quote, which cannot be written back.";
                    return false;
                }
            }
            appendRecordLine(out, record);
            kept.push_back(toRecord(record));
            return true;
        });
        if (!ok)
            return failure(notACount(fileName));
        if (!refusal.empty())
            return failure(refusal);
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
