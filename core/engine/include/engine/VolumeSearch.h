#pragma once

#include "engine/LookupContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// The records of one volume as read: views into the volume's bytes, which the table owns.
// Not copyable or movable, since the views point into its own buffer.
struct VolumeTable {
    VolumeTable() = default;
    VolumeTable(const VolumeTable &) = delete;
    VolumeTable &operator=(const VolumeTable &) = delete;

    std::string bytes;
    std::vector<RecordView> rows;
};

// Reads at most maxRecords whole records of a volume into table, and only as much of the file as they
// need. A missing volume is created empty where the folder allows it; a volume that cannot be opened or read leaves the
// table without rows, and so does a record cut short by the end of the file.
void ReadVolume(const std::string &fileName, int maxRecords, VolumeTable &table);

// Reads at most maxRecords whole records from the bytes of a volume, by the same rules as ReadVolume.
void ReadVolumeRows(std::string_view bytes, int maxRecords, std::vector<RecordView> &rows);

// The records that a search of a volume's bytes looks at, in file order: the first 500 whole records, up to
// the first whose three fields are empty.
void ReadSearchedRecords(std::string_view bytes, std::vector<RecordView> &rows);

// Searches the bytes of one volume as SearchVolume searches its file.
void SearchVolumeBytes(std::string_view bytes, LookupContext &ctx);

// Searches one volume for ctx.SourceWord and adds its exact translations and nearest words to ctx.
// Reads the first 500 records and stops at the first record whose three fields are empty.
void SearchVolume(const std::string &fileName, LookupContext &ctx);

} // namespace trelvik
