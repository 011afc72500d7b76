#pragma once

#include "base/Language.h"
#include "base/Text.h"
#include "engine/Lookup.h"
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

// The distinct non-empty translations, each at the place of its first occurrence: what the translation line
// lists. The views point into translations.
std::vector<std::string_view> DistinctTranslations(const std::vector<std::string> &translations);

// Joins the distinct non-empty translations, each at the place of its first occurrence, with ", ".
// A single translation is returned whole.
std::string JoinTranslations(const std::vector<std::string> &translations);

// Empties every pair that repeats an earlier pair's word and translation; the list keeps its length.
void RemoveDuplicateNearest(std::vector<NearestPair> &nearest);

// Makes the result of a request from its lists: the distinct translations, the nearest words worth showing
// (no repeated pair, none missing a side) and the status.
LookupResult ShowResults(LookupContext &ctx);

// The status line's text of a status ("Stat: Translate complete.", ...).
std::string_view StatusText(LookupStatus status) noexcept;

// The status line after a lookup, as UTF-8. When the results are, or include, those of a base form it names
// both words, as in "Stat: Translate complete. (книги → книга)"; sourcePage is the code page of the words.
std::string StatusLine(const LookupResult &result, CodePage sourcePage);

// Heading of a language in the panes: "RUSSIAN", "SWEDISH", "ENGLISH".
std::string_view LanguageHeading(Language language) noexcept;

} // namespace trelvik
