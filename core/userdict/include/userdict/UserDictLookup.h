#pragma once

#include "engine/LookupContext.h"

#include <functional>
#include <string>
#include <string_view>

namespace trelvik {

// Searches the user dictionary for ctx.word by the same rules as a volume and adds behind what the
// volumes stored. Reads the count on line 1 and at most that many records, stopping at a record of three
// empty words. A missing file is created empty (where it cannot be, it holds no words); a file that cannot be
// read or understood adds nothing, and ctx.userDictError says why.
// Records are matched by CollectRecord, so the volumes' substring test EntryContainsWord serves both.
void LookupUserDict(const std::string &userDictPath, LookupContext &ctx);

// Calls visit with each record of a user dictionary's bytes that a lookup searches, in file order: at most the
// count on line 1, up to the first record of three empty words or one cut short by the end of the data.
// False, visiting nothing, when line 1 is not a record count.
bool ForEachSearchedUserRecord(std::string_view bytes, const std::function<void(const RecordView &)> &visit);

} // namespace trelvik
