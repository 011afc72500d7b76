#pragma once

#include "engine/LookupContext.h"

#include <string>
#include <string_view>

namespace trelvik {

// Searches the user dictionary for ctx.SourceWord by the same rules as a volume and adds behind what the
// volumes stored. Reads the count on line 1 and at most that many records, stopping at a record of three
// empty words. A missing file is created empty; a file that cannot be read or understood adds nothing.
void LookupUserDict(const std::string &userDictPath, LookupContext &ctx);

// True when word occurs anywhere in entry, compared byte for byte.
inline bool ContainsWord(std::string_view entry, std::string_view word) noexcept
{
    return EntryContainsWord(entry, word);
}

} // namespace trelvik
