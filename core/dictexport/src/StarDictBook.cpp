#include "dictexport/StarDictBook.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>

namespace trelvik {

namespace {

unsigned char asciiLower(unsigned char c) noexcept
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// The order of StarDict's index: ASCII letters compared without case, then bytewise to break ties.
bool headwordBefore(std::string_view a, std::string_view b) noexcept
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = asciiLower(static_cast<unsigned char>(a[i]));
        const unsigned char y = asciiLower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void putBe32(std::string &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A value of the .ifo is one line; StarDict readers show "<br>" as a line break.
std::string oneLine(std::string_view text)
{
    std::string line;
    while (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    for (const char c : text)
        line += c == '\n' ? std::string("<br>") : std::string(1, c);
    return line;
}

} // namespace

StarDictBook MakeStarDictBook(const std::vector<Article> &articles, const DictionaryDescription &description)
{
    std::vector<std::size_t> order(articles.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&articles](std::size_t a, std::size_t b) {
        return headwordBefore(articles[a].headword, articles[b].headword);
    });

    StarDictBook book;
    struct Synonym {
        std::string_view spelling;
        std::uint32_t entry;
    };
    std::vector<Synonym> synonyms;
    for (std::size_t entry = 0; entry < order.size(); ++entry) {
        const Article &article = articles[order[entry]];
        const std::size_t offset = book.dict.size();
        for (const std::string &translation : article.translations) {
            if (book.dict.size() > offset)
                book.dict += '\n';
            book.dict += translation;
        }
        book.idx.append(article.headword).append(1, '\0');
        putBe32(book.idx, static_cast<std::uint32_t>(offset));
        putBe32(book.idx, static_cast<std::uint32_t>(book.dict.size() - offset));
        for (const std::string &spelling : article.otherSpellings)
            synonyms.push_back(Synonym{spelling, static_cast<std::uint32_t>(entry)});
    }
    std::stable_sort(synonyms.begin(), synonyms.end(),
                     [](const Synonym &a, const Synonym &b) { return headwordBefore(a.spelling, b.spelling); });
    for (const Synonym &synonym : synonyms) {
        book.syn.append(synonym.spelling).append(1, '\0');
        putBe32(book.syn, synonym.entry);
    }

    book.ifo = "StarDict's dict ifo file\nversion=3.0.0\n";
    book.ifo += "bookname=" + description.title + "\n";
    book.ifo += "wordcount=" + std::to_string(articles.size()) + "\n";
    if (!synonyms.empty())
        book.ifo += "synwordcount=" + std::to_string(synonyms.size()) + "\n";
    book.ifo += "idxfilesize=" + std::to_string(book.idx.size()) + "\n";
    book.ifo += "idxoffsetbits=32\n";
    book.ifo += "website=" + description.url + "\n";
    book.ifo += "description=" + oneLine(description.info) + "\n";
    std::string date = description.date;
    std::replace(date.begin(), date.end(), '-', '.');
    book.ifo += "date=" + date + "\n";
    book.ifo += "sametypesequence=m\n";
    return book;
}

} // namespace trelvik
