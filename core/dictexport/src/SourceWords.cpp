#include "dictexport/SourceWords.h"

#include "base/CodePages.h"
#include "base/FileIO.h"
#include "base/Text.h"
#include "engine/Presentation.h"
#include "engine/VolumeSearch.h"

#include <algorithm>

namespace trelvik {

namespace {

// Longer headwords do not fit the StarDict index; no word is that long.
constexpr std::size_t kMaxHeadwordBytes = 255;

bool isControl(unsigned char c) noexcept
{
    return c < 0x20 || c == 0x7F;
}

// Whether typing the stored word finds it: the lookup lower-cases what it is given.
bool isTypedAsStored(std::string_view word, CodePage codePage)
{
    if (word.empty() || word.front() == ' ' || word.back() == ' ')
        return false;
    if (std::any_of(word.begin(), word.end(), [](char c) { return isControl(static_cast<unsigned char>(c)); }))
        return false;
    return LowerCaseWord(word, codePage) == word;
}

// The form in which two spellings are the same lookup: Russian reads ё as е.
std::string lookupKey(std::string_view word, bool russian)
{
    std::string key(word);
    if (russian) {
        for (char &c : key)
            c = static_cast<char>(FoldYo(static_cast<unsigned char>(c)));
    }
    return key;
}

// A translation as one line of an article: a line break or another control character inside it (only a
// damaged volume has one) would cut it in two.
std::string articleLine(std::string_view bytes, CodePage codePage)
{
    std::string line(bytes);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return isControl(static_cast<unsigned char>(c)); }, ' ');
    return DecodeToUtf8(line, codePage);
}

} // namespace

SourceWords::SourceWords(const Catalogue &catalogue, const std::string &appDir) : m_catalogue(catalogue)
{
    std::vector<RecordView> rows;
    for (const CatalogueRow &row : catalogue.rows) {
        for (std::string_view volume : row.volumes) {
            std::string &bytes = m_volumes.emplace_back();
            std::string error;
            if (ReadWholeFile(catalogue.volumePath(appDir, volume), /*createIfMissing=*/false, bytes, &error)
                != ReadStatus::Ok) {
                m_unreadable.push_back(error);
                continue;
            }
            ReadSearchedRecords(bytes, rows);
            for (const RecordView &record : rows) {
                // A record filed under another letter is never searched for its word.
                const std::string_view source = record[catalogue.language];
                if (catalogue.rowFor(source.substr(0, 1)) == &row)
                    add(record);
            }
        }
    }
}

void SourceWords::addUserRecords(const std::vector<RecordView> &records)
{
    for (const RecordView &record : records)
        add(record);
}

void SourceWords::add(const RecordView &record)
{
    const std::string_view source = record[m_catalogue.language];
    const CodePage codePage = CodePageOf(m_catalogue.language);
    if (!isTypedAsStored(source, codePage))
        return;
    const bool russian = m_catalogue.language == Language::Russian;
    std::string key = lookupKey(source, russian);
    const auto [found, isNew] = m_wordOfKey.try_emplace(std::move(key), m_words.size());
    if (isNew) {
        m_words.push_back(Word{std::string(source), {}, {}});
        // A word stored with ё is found by its spelling with е too.
        if (found->first != source)
            m_words.back().otherSpellings.push_back(found->first);
    }
    Word &word = m_words[found->second];
    if (source != word.spelling
        && std::find(word.otherSpellings.begin(), word.otherSpellings.end(), source) == word.otherSpellings.end())
        word.otherSpellings.emplace_back(source);
    word.records.push_back(record);
}

std::vector<Article> SourceWords::articles(Language target) const
{
    const CodePage sourcePage = CodePageOf(m_catalogue.language);
    const CodePage targetPage = CodePageOf(target);
    std::vector<Article> articles;
    for (const Word &word : m_words) {
        // The records are collected by the rule every lookup applies, so the translations are those of the
        // translation line, in its order.
        LookupContext ctx;
        ctx.word = word.spelling;
        ctx.from = m_catalogue.language;
        ctx.to = target;
        ctx.findSynonyms = false;
        ctx.firstLetter = word.spelling.substr(0, 1);
        for (const RecordView &record : word.records)
            CollectRecord(record, ctx);
        const std::vector<std::string_view> translations = DistinctTranslations(ctx.translations);
        if (translations.empty())
            continue;

        Article article;
        article.headword = DecodeToUtf8(word.spelling, sourcePage);
        if (article.headword.size() > kMaxHeadwordBytes)
            continue;
        for (const std::string &spelling : word.otherSpellings)
            article.otherSpellings.push_back(DecodeToUtf8(spelling, sourcePage));
        for (std::string_view translation : translations)
            article.translations.push_back(articleLine(translation, targetPage));
        articles.push_back(std::move(article));
    }
    return articles;
}

} // namespace trelvik
