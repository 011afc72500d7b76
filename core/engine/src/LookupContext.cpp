#include "engine/LookupContext.h"

#include "base/Text.h"

#include <cstddef>

namespace trelvik {

bool TranslationList::add(std::string_view translation)
{
    if (full())
        return false;
    slot[static_cast<std::size_t>(++count)] = translation;
    return true;
}

bool NearestList::add(std::string_view word, std::string_view translation)
{
    if (full())
        return false;
    NearestRow &r = row[static_cast<std::size_t>(++count)];
    r.word = word;
    r.translation = translation;
    return true;
}

bool EntryContainsWord(std::string_view entry, std::string_view word) noexcept
{
    if (word.empty())
        return true;
    return entry.find(word) != std::string_view::npos;
}

void CollectRecord(const RecordView &record, LookupContext &ctx)
{
    const std::string_view source = record[static_cast<std::size_t>(ctx.SourceColumn - 1)];
    const std::string_view target = record[static_cast<std::size_t>(ctx.TargetColumn - 1)];

    const bool russian = ctx.SourceColumn == kRussianColumn;

    // An exact match that found the list full is not "stored", so it may still show up as a nearest word.
    bool stored = false;
    if (russian ? SameRussianText(source, ctx.SourceWord) : source == ctx.SourceWord)
        stored = ctx.Translations.add(target);

    if (ctx.FindSynonyms && !stored && ctx.SourceWord.size() > 2 && !ctx.NearestWords.full()
        && (russian ? RussianEntryContainsWord(source, ctx.SourceWord) : EntryContainsWord(source, ctx.SourceWord)))
        ctx.NearestWords.add(source, target);
}

} // namespace trelvik
