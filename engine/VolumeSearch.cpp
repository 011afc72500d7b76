#include "VolumeSearch.h"

#include "FieldReader.h"
#include "FileIO.h"

#include <algorithm>

namespace trelvik {

void ReadVolume(const std::string &fileName, int maxRecords, VolumeTable &table)
{
    table.rows.clear();
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, table.bytes) != ReadStatus::Ok)
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

void searchRows(const std::vector<RecordView> &rows, LookupContext &ctx)
{
    for (const RecordView &record : rows) {
        if (IsEndRecord(record))
            break;
        CollectRecord(record, ctx);
    }
}

} // namespace

void SearchVolumeBytes(std::string_view bytes, LookupContext &ctx)
{
    std::vector<RecordView> rows;
    ReadVolumeRows(bytes, kVolumeRecordLimit, rows);
    searchRows(rows, ctx);
}

void SearchVolume(const std::string &fileName, LookupContext &ctx)
{
    VolumeTable table;
    ReadVolume(fileName, kVolumeRecordLimit, table);
    searchRows(table.rows, ctx);
}

} // namespace trelvik
