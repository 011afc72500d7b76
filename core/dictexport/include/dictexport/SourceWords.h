#pragma once

#include "dictexport/Article.h"
#include "engine/Catalogue.h"
#include "engine/LookupContext.h"

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trelvik {

// The words of one source language that a lookup finds, each with the records it is found in, gathered in one
// pass over the volumes: the volumes of the word's first letter in catalogue order (the records a search looks
// at), then the user dictionary's. A word counts when typing it finds itself: the lookup lower-cases what is
// typed, so a stored word with capitals is never found, and one with blanks around it or control characters
// is not a word anyone types.
class SourceWords {
public:
    // Reads every volume of the catalogue below appDir. A volume that cannot be read adds nothing, as in a
    // lookup, and is named in unreadable().
    SourceWords(const Catalogue &catalogue, const std::string &appDir);
    SourceWords(const SourceWords &) = delete;
    SourceWords &operator=(const SourceWords &) = delete;

    // Adds records of the user dictionary behind the volumes'; they must outlive this object.
    void addUserRecords(const std::vector<RecordView> &records);

    // The articles of the words whose lookup into target gives a translation, in the order the words were
    // first met. Each holds what the translation line shows, one translation an item.
    std::vector<Article> articles(Language target) const;

    // Volumes that could not be read, each as the reason ("Cannot open ...: No such file or directory").
    const std::vector<std::string> &unreadable() const noexcept { return m_unreadable; }

private:
    struct Word {
        std::string spelling;
        std::vector<std::string> otherSpellings;
        std::vector<RecordView> records;
    };

    void add(const RecordView &record);

    const Catalogue &m_catalogue;
    std::deque<std::string> m_volumes; // the bytes the records point into
    std::vector<Word> m_words;
    std::unordered_map<std::string, std::size_t> m_wordOfKey;
    std::vector<std::string> m_unreadable;
};

} // namespace trelvik
