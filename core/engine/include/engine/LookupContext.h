#pragma once

#include "base/Language.h"

#include <array>
#include <string>
#include <string_view>

namespace trelvik {

inline constexpr int kMaxTranslations = 20;
inline constexpr int kMaxNearestWords = 15;
inline constexpr int kVolumeRecordLimit = 500;

// Exact translations of one request, in the order found; slots 1..count are used, slot 0 never.
struct TranslationList {
    int count = 0;
    std::array<std::string, kMaxTranslations + 1> slot;

    bool full() const noexcept { return count >= kMaxTranslations; }
    // Stores a translation in the next free slot; returns false, storing nothing, when the list is full.
    bool add(std::string_view translation);
};

// One row of the nearest-word list: a source-language word that contains the typed word, and its translation.
struct NearestRow {
    std::string word;
    std::string translation;
    bool operator==(const NearestRow &other) const { return word == other.word && translation == other.translation; }
};

// Nearest words of one request, in the order found; rows 1..count are used, row 0 never.
struct NearestList {
    int count = 0;
    std::array<NearestRow, kMaxNearestWords + 1> row;

    bool full() const noexcept { return count >= kMaxNearestWords; }
    // Stores a row in the next free place; returns false, storing nothing, when the list is full.
    bool add(std::string_view word, std::string_view translation);
};

// The working values of one translation request, shared by the driver, the routers and the searches.
struct LookupContext {
    std::string SourceWord;
    TranslationList Translations;
    NearestList NearestWords;
    int SourceColumn = kRussianColumn;
    int TargetColumn = kSwedishColumn;
    bool FindSynonyms = true;
    std::string FirstLetter;
    // Why the user dictionary could not be searched (it exists but cannot be read or understood), or empty.
    std::string UserDictError;
};

// Searches the user dictionary file for ctx.SourceWord and adds what it finds behind what the volumes stored.
// The engine knows nothing of that file: the program hands it the search.
using UserDictSearch = void (*)(const std::string &userDictPath, LookupContext &ctx);

// Where a request's files live and whether the user dictionary takes part.
struct LookupEnvironment {
    std::string AppDir;                      // application folder, without a trailing slash
    int UseUserDict = 1;                     // non-zero means on
    std::string UserDictPath;                // full name of the user dictionary file
    UserDictSearch SearchUserDict = nullptr; // nullptr: there is no user dictionary to search
};

// A record's three fields as views into the bytes they were read from, in column order (index 0 = column 1).
using RecordView = std::array<std::string_view, 3>;

// Adds one record to the request's lists by the exact-match and nearest-word rules
// shared by the volumes and the user dictionary. Russian words compare with ё read as е.
void CollectRecord(const RecordView &record, LookupContext &ctx);

// True when word occurs in entry as a run of consecutive bytes (case-sensitive).
bool EntryContainsWord(std::string_view entry, std::string_view word) noexcept;

} // namespace trelvik
