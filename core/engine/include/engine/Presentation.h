#pragma once

#include "engine/LookupContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

inline constexpr std::string_view kStatReady = "Stat: Ready";
inline constexpr std::string_view kStatSearching = "Stat: Searching....";
inline constexpr std::string_view kStatComplete = "Stat: Translate complete.";
inline constexpr std::string_view kStatNotPresent =
    "Stat: Word is not present in main dictionary. You can add it to User dictionfry.";
inline constexpr std::string_view kStatOnlyNearest = "Stat: Finded only nearest words.";

// Line break inside the multi-line fields.
inline constexpr std::string_view kLineBreak = "\r\n";

// What one request shows: the texts of the translation line (both twins), the source pane
// (Text11/Text11r), the target pane (Text22/Text22r) and the status line, plus the rows listed in the panes.
struct Presentation {
    std::string TextPole0;
    std::string Text11;
    std::string Text22;
    std::string statTR;
    std::vector<NearestRow> shownRows;
    // When the results are those of a base form: the word as looked up and that base form (source code page).
    std::string formOf;
    std::string baseForm;
};

// The distinct non-empty translations, each at the place of its first occurrence: what the translation line
// lists. The views point into translations.
std::vector<std::string_view> DistinctTranslations(const TranslationList &translations);

// Joins the distinct non-empty translations, each at the place of its first occurrence, with ", ".
// A single translation is returned whole.
std::string JoinTranslations(const TranslationList &translations);

// Empties every row that repeats an earlier row's word and translation; the count stays.
void RemoveDuplicateNearest(NearestList &nearest);

// Builds the visible result of a request from its lists and the headings the panes start with.
Presentation ShowResults(const TranslationList &translations, NearestList &nearest, std::string_view sourceHeading,
                         std::string_view targetHeading);

} // namespace trelvik
