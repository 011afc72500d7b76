#pragma once

#include <string>
#include <vector>

namespace trelvik {

// One article of an exported dictionary, in UTF-8: a word as a lookup finds it, the other spellings that
// find the same translations (ё read as е), and its translations in the order the translation line lists them.
struct Article {
    std::string headword;
    std::vector<std::string> otherSpellings;
    std::vector<std::string> translations;
};

// What an exported dictionary says about itself, in UTF-8.
struct DictionaryDescription {
    std::string name;  // the file name without extension, "trelvik-ru-sv"
    std::string title; // "Trelvik Russian-Swedish"
    std::string info;  // lines of free text: what it holds, entry count, build date, source, licence
    std::string url;
    std::string date; // build date, YYYY-MM-DD
};

} // namespace trelvik
