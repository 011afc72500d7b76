#pragma once

#include "engine/Lookup.h"

#include <cstdint>

namespace trelvik {

// The lookup settings the windows share: where the files are, and the options of "Dictionary / Options".
struct ProgramValues {
    LookupEnvironment env;          // folder, user dictionary; env.baseForms while "Look up word forms" is on
    bool useUserDict = true;        // "Use user dictionary"
    bool findSynonyms = true;       // "Find synonyms and some similar words ..."
    std::int32_t userDictCount = 0; // the count the options window read last
};

} // namespace trelvik
