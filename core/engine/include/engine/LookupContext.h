#pragma once

#include "base/Language.h"
#include "base/Triple.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

inline constexpr std::size_t kMaxTranslations = 20;
inline constexpr std::size_t kMaxNearestWords = 15;
inline constexpr int kVolumeRecordLimit = 500;

// One nearest word: a source-language word that contains the typed word, and its translation.
struct NearestPair {
    std::string word;
    std::string translation;
    bool operator==(const NearestPair &other) const { return word == other.word && translation == other.translation; }
};

// A record's three fields as views into the bytes they were read from, in stored order.
using RecordView = TripleView;

// The working values of one translation request, shared by the driver, the routers and the searches.
struct LookupContext {
    std::string word;                      // lower-cased, in the source language's code page
    Language from = Language::Russian;     // the language of word
    Language to = Language::Swedish;       // the language of the translations
    bool findSynonyms = true;              // collect nearest words
    std::string firstLetter;               // the first byte of word, or empty: picks the volumes
    std::vector<std::string> translations; // exact translations in the order found, at most kMaxTranslations
    std::vector<NearestPair> nearest;      // nearest words in the order found, at most kMaxNearestWords
    // Why the user dictionary could not be searched (it exists but cannot be read or understood), or empty.
    std::string userDictError;

    // Stores a translation behind the others; false, storing nothing, when the list is full.
    bool addTranslation(std::string_view translation);
    // Stores a nearest word behind the others; false, storing nothing, when the list is full.
    bool addNearest(std::string_view source, std::string_view translation);
};

// Searches the user dictionary file for ctx.word and adds what it finds behind what the volumes stored.
// The engine knows nothing of that file: the program hands it the search.
using UserDictSearch = void (*)(const std::string &userDictPath, LookupContext &ctx);

// Adds one record to the request's lists by the exact-match and nearest-word rules
// shared by the volumes and the user dictionary. Russian words compare with ё read as е.
void CollectRecord(const RecordView &record, LookupContext &ctx);

// True when word occurs in entry as a run of consecutive bytes (case-sensitive).
bool EntryContainsWord(std::string_view entry, std::string_view word) noexcept;

} // namespace trelvik
