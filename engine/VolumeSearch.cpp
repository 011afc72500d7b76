#include "VolumeSearch.h"

#include "FieldReader.h"
#include "FileIO.h"

#include <algorithm>

namespace trelvik {

void ReadVolume(const std::string &fileName, int maxRecords, VolumeTable &table)
{
    table.rows.clear();
    if (ReadWholeFile(fileName, /*createIfMissing=*/true, table.bytes) != ReadStatus::Ok || table.bytes.empty())
        return;

    FieldReader reader(table.bytes);
    table.rows.reserve(static_cast<std::size_t>(std::clamp(maxRecords, 0, kVolumeRecordLimit)));
    RecordView record;
    for (int row = 0; row < maxRecords && !reader.atEnd(); ++row) {
        if (reader.nextRecord(record) < 3)
            break; // the file ends inside this record: a damaged tail is not a record
        table.rows.push_back(record);
    }
}

void SearchVolume(const std::string &fileName, LookupContext &ctx)
{
    VolumeTable table;
    ReadVolume(fileName, kVolumeRecordLimit, table);
    for (const RecordView &record : table.rows) {
        if (IsEndRecord(record))
            break;
        CollectRecord(record, ctx);
    }
}

} // namespace trelvik
