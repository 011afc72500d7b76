#pragma once

#include "base/Language.h"
#include "engine/BaseForms.h"
#include "engine/LookupContext.h"

#include <string>
#include <vector>

namespace trelvik {

// One word to translate, and how.
struct LookupQuery {
    std::string word; // as typed, in the source language's code page; the lookup lower-cases it
    Language from = Language::Russian;
    Language to = Language::Swedish;
    bool useUserDict = true;  // search the user dictionary behind the volumes
    bool findSynonyms = true; // collect the nearest words
};

// Where a lookup's files are and what helps it.
struct LookupEnvironment {
    std::string appDir;                      // application folder (holding data/), without a trailing slash
    std::string userDictPath;                // full name of the user dictionary file
    UserDictSearch searchUserDict = nullptr; // nullptr: there is no user dictionary to search
    BaseForms *baseForms = nullptr;          // "Look up word forms": nullptr while the option is off
};

// What a lookup found, as the status line says it.
enum class LookupStatus {
    Translated,  // there is at least one translation
    OnlyNearest, // no translation, but words that contain the word
    NotPresent,  // nothing at all
};

// What a lookup found.
struct LookupResult {
    std::string word;                      // the word as looked up: lower-cased, source code page
    std::vector<std::string> translations; // the distinct translations in the order found (target code page)
    std::vector<NearestPair> nearest;      // the nearest words to show, each with its translation
    LookupStatus status = LookupStatus::NotPresent;
    // When the results are, or include, those of a base form of the word (книги → книга, bor → bo): that form.
    std::string baseForm;
    // The user dictionary exists but could not be searched, and why; the volumes were.
    std::string userDictError;
};

} // namespace trelvik
