#include "services/AddTypedWords.h"

#include "services/AppFolder.h"
#include "userdict/TypedWords.h"
#include "userdict/UserDictFile.h"

namespace trelvik {

TypedWordsAdded AddTypedWords(std::string &userDictPath, const TripleView &typed)
{
    TypedWordsAdded added;
    PreparedWords prepared = PrepareTypedWords(typed, EmptyFields::Refused);
    if (!prepared) {
        added.outcome = TypedWordsAdded::Outcome::Refused;
        added.field = prepared.field;
        added.message = std::move(prepared.message);
        added.detail = std::move(prepared.detail);
        return added;
    }

    if (const UserDictResult moved = UseWritableUserDictionary(userDictPath, added.note); !moved) {
        added.outcome = TypedWordsAdded::Outcome::FileError;
        added.message = moved.error;
        return added;
    }

    std::int32_t count = 0;
    UserTable table;
    if (const UserDictResult result = AddUserRecord(userDictPath, count, table, prepared.record); !result) {
        added.outcome = TypedWordsAdded::Outcome::FileError;
        added.message = result.error;
        return added;
    }
    added.recordNumber = static_cast<long long>(count) + 1;
    return added;
}

} // namespace trelvik
