#include "engine/LookupContext.h"

#include "base/Text.h"

namespace trelvik {

bool LookupContext::addTranslation(std::string_view translation)
{
    if (translations.size() >= kMaxTranslations)
        return false;
    translations.emplace_back(translation);
    return true;
}

bool LookupContext::addNearest(std::string_view source, std::string_view translation)
{
    if (nearest.size() >= kMaxNearestWords)
        return false;
    nearest.push_back(NearestPair{std::string(source), std::string(translation)});
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
    const std::string_view source = record[ctx.from];
    const std::string_view target = record[ctx.to];

    const bool russian = ctx.from == Language::Russian;

    // An exact match that found the list full is not "stored", so it may still show up as a nearest word.
    bool stored = false;
    if (russian ? SameRussianText(source, ctx.word) : source == ctx.word)
        stored = ctx.addTranslation(target);

    if (ctx.findSynonyms && !stored && ctx.word.size() > 2 && ctx.nearest.size() < kMaxNearestWords
        && (russian ? RussianEntryContainsWord(source, ctx.word) : EntryContainsWord(source, ctx.word)))
        ctx.addNearest(source, target);
}

} // namespace trelvik
