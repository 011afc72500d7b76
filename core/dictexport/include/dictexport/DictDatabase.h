#pragma once

#include "dictexport/Article.h"

#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// A UTF-8 database for a DICT server (dictd): the index file and the uncompressed data file.
struct DictDatabase {
    std::string index;
    std::string data;
};

// The key dictd searches a headword by in a database without 00-database-allchars: in lower case, only its
// letters, digits and single blanks between words, as dictfmt indexes UTF-8 databases ("T-shirt" is
// "tshirt"). Empty when the headword has no letter or digit: no query can reach such an article. Fails,
// returning false, only without the C.UTF-8 locale that tells letters from other characters.
bool DictIndexKey(std::string_view headword, std::string &key);

// Lays out the articles as dictd reads them. The data file opens with the entries 00-database-utf8,
// 00-database-short, 00-database-url and 00-database-info; then each article is its headword on one line and
// each translation on a line of its own, indented. The index lists every headword's key, and that of each
// other spelling, with the article's place (base-64 offset and length) and, where the key differs from it, the
// headword as written; it is sorted bytewise by key, the order in which dictd's binary search finds UTF-8 keys.
// Articles without a key are left out. False, with the reason in error, when keys cannot be made.
bool MakeDictDatabase(const std::vector<Article> &articles, const DictionaryDescription &description,
                      DictDatabase &database, std::string &error);

} // namespace trelvik
