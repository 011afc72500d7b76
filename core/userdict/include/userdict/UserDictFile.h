#pragma once

#include "base/Triple.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// One user record: its three words in stored order.
using UserRecord = Triple;

using UserTable = std::vector<UserRecord>;

// Outcome of a user dictionary routine; error says what went wrong in words a user can act on.
struct UserDictResult {
    bool ok = true;
    std::string error;
    explicit operator bool() const noexcept { return ok; }
};

// Reads the count on line 1 and the records after it. A missing file is created empty; an empty file leaves
// count and table as they came. The table holds the records the file really has (at most count), so a
// count larger than the file never costs memory. Fails, changing nothing, when the file cannot be read or
// line 1 is not a record count.
UserDictResult ReadUserDict(const std::string &fileName, std::int32_t &count, UserTable &table);

// Reads only the count on line 1, with the same creation and error rules as ReadUserDict, for callers that
// show the count and would throw the records away: its memory does not grow with the number of records.
UserDictResult ReadUserDictCount(const std::string &fileName, std::int32_t &count);

// Reads every record the file holds, whatever line 1 claims (as an append keeps them), with the error rules of
// ReadUserDict; a missing file (or folder) holds no records and is not created. Records of three empty words
// are left out of records and counted in emptyRecords.
UserDictResult ReadEveryUserRecord(const std::string &fileName, UserTable &records, std::size_t &emptyRecords);

// Writes the whole file anew from count and rows 1..count of table: " N " on line 1, then one line of three
// quoted fields per record, CR LF line ends. The old file is replaced only once the new one is safely on
// disk; on any failure it stays untouched.
UserDictResult WriteUserDict(const std::string &fileName, std::int32_t count, const UserTable &table);

// Appends the triple as a new record, under a lock so that two programs adding at once lose nothing.
// Afterwards count and table hold the records the file had before, so the new record's number is count + 1.
// Refuses words that the format cannot store (a double quote or a line break) and files it cannot read,
// write or understand, leaving the file as it was.
UserDictResult AddUserRecord(const std::string &fileName, std::int32_t &count, UserTable &table, const Triple &words);

// Appends records behind the file's records in one locked
// read and one atomic rewrite: either all of them are stored or, on any refusal or failure, none, and the
// file stays as it was. Refuses exactly what AddUserRecord refuses. Afterwards count and table hold the
// records the file had before, so the first new record's number is count + 1. Storing nothing is allowed
// and leaves the file untouched. A filter, when given, sees the records the file holds once the lock is taken
// and removes from the new records those that are not to be stored after all.
using NewRecordFilter = std::function<void(const UserTable &present, std::vector<UserRecord> &records)>;
UserDictResult AddUserRecords(const std::string &fileName, std::int32_t &count, UserTable &table,
                              std::vector<UserRecord> records, const NewRecordFilter &filter = {});

// New records kept as the lines the user dictionary stores them in, so that many of them cost hardly more
// memory than their words.
class RecordLines {
public:
    RecordLines() = default;
    explicit RecordLines(const std::vector<UserRecord> &records);

    // Appends a record; false, leaving it out, when a word cannot be stored (CheckStorableWord).
    bool Append(const UserRecord &record);
    // Calls take for every record, in order.
    void ForEach(const std::function<void(const UserRecord &record)> &take) const;
    // Keeps, in order, the records for which keep returns true.
    void KeepIf(const std::function<bool(const UserRecord &record)> &keep);

    std::size_t size() const noexcept { return m_count; }
    bool empty() const noexcept { return m_count == 0; }
    // The record lines, CR LF after each.
    std::string_view Lines() const noexcept { return m_lines; }

private:
    std::string m_lines;
    std::size_t m_count = 0;
};

// AddUserRecords for records kept as record lines.
using RecordLinesFilter = std::function<void(const UserTable &present, RecordLines &records)>;
UserDictResult AddRecordLines(const std::string &fileName, std::int32_t &count, UserTable &table, RecordLines records,
                              const RecordLinesFilter &filter = {});

// Makes the user dictionary `to` a copy, byte for byte, of the one at `from`, unless `to` exists already (a
// program running at the same time may have made it first); copied says whether it did. Creates the folder
// of `to` where needed, and writes under the writers' lock.
UserDictResult CopyUserDictIfMissing(const std::string &from, const std::string &to, bool &copied);

// Checks that a word can be stored in the user dictionary; returns an empty text or the reason it cannot.
std::string CheckStorableWord(std::string_view word);

// What is said of a user dictionary whose line 1 is not a record count.
std::string NotACountMessage(const std::string &fileName);

// Parses the count on line 1; false when it is not a whole number that fits in 32 bits.
bool ParseRecordCount(std::string_view text, std::int32_t &count) noexcept;

} // namespace trelvik
