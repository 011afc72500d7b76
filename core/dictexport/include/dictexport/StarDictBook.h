#pragma once

#include "dictexport/Article.h"

#include <string>
#include <vector>

namespace trelvik {

// A StarDict dictionary ("book"): the .ifo description, the .idx headword index, the .syn list of other
// spellings (empty when there are none, and then not written) and the uncompressed .dict articles.
struct StarDictBook {
    std::string ifo;
    std::string idx;
    std::string syn;
    std::string dict;
};

// Lays out the articles as StarDict readers open them: each article's data is its translations, one a line, as
// plain text (sametypesequence=m); the index is sorted the way readers search it, by the headwords compared
// with ASCII letters in either case taken as one, ties bytewise; every other spelling points to its
// headword's place in the index.
StarDictBook MakeStarDictBook(const std::vector<Article> &articles, const DictionaryDescription &description);

} // namespace trelvik
