#include "engine/Presentation.h"

#include <algorithm>

namespace trelvik {

std::vector<std::string_view> DistinctTranslations(const TranslationList &translations)
{
    std::vector<std::string_view> distinct;
    for (int i = 1; i <= translations.count; ++i) {
        const std::string &candidate = translations.slot[static_cast<std::size_t>(i)];
        if (!candidate.empty() && std::find(distinct.begin(), distinct.end(), candidate) == distinct.end())
            distinct.push_back(candidate);
    }
    return distinct;
}

std::string JoinTranslations(const TranslationList &translations)
{
    std::string joined;
    for (std::string_view translation : DistinctTranslations(translations)) {
        if (!joined.empty())
            joined += ", ";
        joined += translation;
    }
    return joined;
}

void RemoveDuplicateNearest(NearestList &nearest)
{
    for (int i = 1; i < nearest.count; ++i) {
        const NearestRow &first = nearest.row[static_cast<std::size_t>(i)];
        if (first.word.empty())
            continue;
        for (int j = i + 1; j <= nearest.count; ++j) {
            NearestRow &later = nearest.row[static_cast<std::size_t>(j)];
            if (later == first) {
                later.word.clear();
                later.translation.clear();
            }
        }
    }
}

Presentation ShowResults(const TranslationList &translations, NearestList &nearest, std::string_view sourceHeading,
                         std::string_view targetHeading)
{
    Presentation shown;
    shown.TextPole0 = JoinTranslations(translations);
    shown.Text11.append(sourceHeading).append(kLineBreak);
    shown.Text22.append(targetHeading).append(kLineBreak);

    RemoveDuplicateNearest(nearest);
    for (int k = 1; k <= kMaxNearestWords; ++k) {
        const NearestRow &row = nearest.row[static_cast<std::size_t>(k)];
        // A row missing either side is left out of both panes, so that they stay aligned line by line.
        if (row.word.empty() || row.translation.empty())
            continue;
        shown.Text11.append(row.word).append(kLineBreak);
        shown.Text22.append(row.translation).append(kLineBreak);
        shown.shownRows.push_back(row);
    }

    if (!shown.TextPole0.empty())
        shown.statTR = kStatComplete;
    else if (nearest.count == 0)
        shown.statTR = kStatNotPresent;
    else
        shown.statTR = kStatOnlyNearest;
    return shown;
}

} // namespace trelvik
