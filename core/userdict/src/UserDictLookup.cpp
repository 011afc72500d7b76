#include "userdict/UserDictLookup.h"

#include "base/FileIO.h"
#include "engine/FieldReader.h"
#include "userdict/UserDictFile.h"

#include <cerrno>
#include <sys/stat.h>

namespace trelvik {

void LookupUserDict(const std::string &userDictPath, LookupContext &ctx)
{
    // Scans views into the file's bytes instead of building the record table: the file has no size limit
    // and is read on every request.
    std::string bytes;
    std::string error;
    if (ReadWholeFile(userDictPath, /*createIfMissing=*/true, bytes, &error) != ReadStatus::Ok) {
        // A file that is not there holds no words, also where it cannot be created; one that is there and
        // cannot be read hides the user's words, and is said.
        struct stat st {};
        if (::stat(userDictPath.c_str(), &st) == 0 || errno != ENOENT)
            ctx.userDictError = "The user dictionary cannot be read: " + error;
        return;
    }
    if (bytes.empty())
        return;
    if (!ForEachSearchedUserRecord(bytes, [&ctx](const RecordView &record) { CollectRecord(record, ctx); }))
        ctx.userDictError = NotACountMessage(userDictPath);
}

bool ForEachSearchedUserRecord(std::string_view bytes, const std::function<void(const RecordView &)> &visit)
{
    FieldReader reader(bytes);
    std::int32_t count = 0;
    if (!ParseRecordCount(reader.next(), count))
        return false;

    RecordView record;
    for (std::int32_t i = 0; i < count && !reader.atEnd(); ++i) {
        if (reader.nextRecord(record) < 3 || IsEndRecord(record))
            break;
        visit(record);
    }
    return true;
}

} // namespace trelvik
