#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace trelvik {

// The file formats of an export.
enum class DictionaryFormat {
    Dict,     // for a DICT server: NAME.index and NAME.dict.dz
    StarDict, // for StarDict readers: in a folder NAME, NAME.ifo, NAME.idx, NAME.dict.dz (and NAME.syn)
};

// What to export.
struct DictionaryExportRequest {
    DictionaryFormat format = DictionaryFormat::Dict;
    std::string appDir;       // the application folder whose data/ holds the volumes
    std::string userDictPath; // the user dictionary to add behind the volumes, or empty for none
    std::string date;         // the build date the dictionaries carry, YYYY-MM-DD
    std::string programName;  // who built them, as "trelvik-cli 2.0"
};

// One dictionary written.
struct ExportedDictionary {
    std::string name; // "trelvik-ru-sv"
    std::size_t entries = 0;
};

struct DictionaryExportResult {
    bool ok = false;
    std::string error;                       // why nothing or not everything was written
    std::vector<std::string> notes;          // volumes that could not be read, whose words are missing
    std::vector<ExportedDictionary> written; // in the order ru-sv, ru-en, sv-ru, sv-en, en-ru, en-sv
};

// Writes the six dictionaries, one a direction, into folder (made where missing): every word that a lookup
// without nearest words finds, with exactly the translations of its translation line, in their order (the
// main dictionary's first, then the user dictionary's when one is given). The words are those a lookup finds
// when typed as stored. Each file is replaced atomically; see ExportFolder for what the folder is trusted with.
DictionaryExportResult ExportDictionaries(const std::string &folder, const DictionaryExportRequest &request);

} // namespace trelvik
