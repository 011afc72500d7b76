#include "engine/Presentation.h"

#include "base/CodePages.h"

#include <algorithm>

namespace trelvik {

std::vector<std::string_view> DistinctTranslations(const std::vector<std::string> &translations)
{
    std::vector<std::string_view> distinct;
    for (const std::string &candidate : translations) {
        if (!candidate.empty() && std::find(distinct.begin(), distinct.end(), candidate) == distinct.end())
            distinct.push_back(candidate);
    }
    return distinct;
}

std::string JoinTranslations(const std::vector<std::string> &translations)
{
    std::string joined;
    for (std::string_view translation : DistinctTranslations(translations)) {
        if (!joined.empty())
            joined += ", ";
        joined += translation;
    }
    return joined;
}

void RemoveDuplicateNearest(std::vector<NearestPair> &nearest)
{
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        const NearestPair &first = nearest[i];
        if (first.word.empty())
            continue;
        for (std::size_t j = i + 1; j < nearest.size(); ++j) {
            NearestPair &later = nearest[j];
            if (later == first) {
                later.word.clear();
                later.translation.clear();
            }
        }
    }
}

LookupResult ShowResults(LookupContext &ctx)
{
    LookupResult result;
    result.word = ctx.word;
    for (std::string_view translation : DistinctTranslations(ctx.translations))
        result.translations.emplace_back(translation);

    RemoveDuplicateNearest(ctx.nearest);
    for (const NearestPair &pair : ctx.nearest) {
        // A pair missing either side is left out, so that the two panes stay aligned line by line.
        if (!pair.word.empty() && !pair.translation.empty())
            result.nearest.push_back(pair);
    }

    if (!result.translations.empty())
        result.status = LookupStatus::Translated;
    else if (ctx.nearest.empty())
        result.status = LookupStatus::NotPresent;
    else
        result.status = LookupStatus::OnlyNearest;
    result.userDictError = ctx.userDictError;
    return result;
}

std::string_view StatusText(LookupStatus status) noexcept
{
    switch (status) {
    case LookupStatus::Translated: return kStatComplete;
    case LookupStatus::OnlyNearest: return kStatOnlyNearest;
    case LookupStatus::NotPresent: break;
    }
    return kStatNotPresent;
}

std::string StatusLine(const LookupResult &result, CodePage sourcePage)
{
    std::string line(StatusText(result.status));
    if (!result.baseForm.empty())
        line +=
            " (" + DecodeToUtf8(result.word, sourcePage) + " \u2192 " + DecodeToUtf8(result.baseForm, sourcePage) + ")";
    return line;
}

std::string_view LanguageHeading(Language language) noexcept
{
    switch (language) {
    case Language::Russian: return "RUSSIAN";
    case Language::English: return "ENGLISH";
    case Language::Swedish: break;
    }
    return "SWEDISH";
}

} // namespace trelvik
