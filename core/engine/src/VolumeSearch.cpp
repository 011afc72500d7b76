#include "engine/VolumeSearch.h"

#include "base/FileIO.h"
#include "engine/FieldReader.h"

#include <algorithm>

namespace trelvik {

namespace {

// Reads as much of a volume as its first maxRecords records need: once they are whole, or the record that
// ends the data is, the rest of the file cannot change what is found.
ReadStatus readVolumeHead(const std::string &fileName, int maxRecords, std::string &bytes)
{
    return ReadFileHead(fileName, /*createIfMissing=*/true, bytes, [maxRecords](std::string_view head) {
        FieldReader reader(head);
        RecordView record;
        for (int row = 0; row < maxRecords; ++row) {
            // A record that reaches the end of the head may go on in the next piece.
            if (reader.nextRecord(record) < 3 || reader.position() >= head.size())
                return false;
            if (IsEndRecord(record))
                return true;
        }
        return true;
    });
}

} // namespace

void ReadVolume(const std::string &fileName, int maxRecords, VolumeTable &table)
{
    table.rows.clear();
    if (readVolumeHead(fileName, maxRecords, table.bytes) != ReadStatus::Ok)
        return;
    ReadVolumeRows(table.bytes, maxRecords, table.rows);
}

void ReadVolumeRows(std::string_view bytes, int maxRecords, std::vector<RecordView> &rows)
{
    rows.clear();
    if (bytes.empty())
        return;

    FieldReader reader(bytes);
    rows.reserve(static_cast<std::size_t>(std::clamp(maxRecords, 0, kVolumeRecordLimit)));
    RecordView record;
    for (int row = 0; row < maxRecords && !reader.atEnd(); ++row) {
        if (reader.nextRecord(record) < 3)
            break; // the file ends inside this record: a damaged tail is not a record
        rows.push_back(record);
    }
}

namespace {

// A search stops at the first record whose three fields are empty.
std::vector<RecordView>::const_iterator searchedEnd(const std::vector<RecordView> &rows)
{
    return std::find_if(rows.begin(), rows.end(), IsEndRecord);
}

void searchRows(const std::vector<RecordView> &rows, LookupContext &ctx)
{
    const auto end = searchedEnd(rows);
    for (auto record = rows.begin(); record != end; ++record)
        CollectRecord(*record, ctx);
}

} // namespace

void ReadSearchedRecords(std::string_view bytes, std::vector<RecordView> &rows)
{
    ReadVolumeRows(bytes, kVolumeRecordLimit, rows);
    rows.erase(searchedEnd(rows), rows.end());
}

void SearchVolumeBytes(std::string_view bytes, LookupContext &ctx)
{
    std::vector<RecordView> rows;
    ReadSearchedRecords(bytes, rows);
    searchRows(rows, ctx);
}

void SearchVolume(const std::string &fileName, LookupContext &ctx)
{
    VolumeTable table;
    ReadVolume(fileName, kVolumeRecordLimit, table);
    searchRows(table.rows, ctx);
}

} // namespace trelvik
