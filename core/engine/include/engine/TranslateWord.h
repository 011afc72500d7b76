#pragma once

#include "engine/BaseForms.h"
#include "engine/LookupContext.h"
#include "engine/Presentation.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trelvik {

inline constexpr std::string_view kErrorNoSourceLanguage = "Error. Empty languse from translate";

// Indexes of the target list ("Translate to:").
enum TargetIndex : int { kTargetNone = -1, kTargetRussian = 0, kTargetEnglish = 1, kTargetSwedish = 2 };

// The language column a target-list index names, or 0 for an index the list does not have.
int ColumnOfTargetIndex(int index) noexcept;
// The target-list index that names a language column, or kTargetNone.
int TargetIndexOfColumn(int column) noexcept;

// The program-wide values of the lookup, set at start-up and changed by the options window.
struct ProgramValues {
    int UseUserDict = 1;      // "Use user dictionary": 0 off, any other value on
    bool FindSynonyms = true; // "Find synonyms and some similar words ..."
    std::int32_t UserDictCount = 0;
    std::string UserDictPath;                // full name of the user dictionary file
    std::string AppDir;                      // application folder, without a trailing slash
    std::string SourceWord;                  // the last request's word, lower-cased
    std::string FirstLetter;                 // its first byte, or empty
    UserDictSearch SearchUserDict = nullptr; // how the user dictionary is searched
    BaseForms *WordForms = nullptr;          // "Look up word forms": nullptr while the option is off
};

// Sets the start values: both options on, no count, the user dictionary in the given file, searched by
// searchUserDict.
void SetStartValues(ProgramValues &values, std::string appDir, std::string userDictPath, UserDictSearch searchUserDict);

// A translation request as the main window's controls hold it. Texts are single-byte:
// Text1 in Windows-1251, Text2 in Windows-1252.
struct TranslationRequest {
    bool Option1 = false; // "russian"
    bool Option2 = false; // "english"
    bool Option3 = false; // "swedish"
    int Combo1Index = kTargetNone;
    std::string Text1;
    std::string Text2;
    // Headings the panes hold when the request starts.
    std::string Text11;
    std::string Text22;
};

// How a request ended.
enum class RequestOutcome {
    NoSourceLanguage, // no switch is on: the caller shows kErrorNoSourceLanguage
    NoTargetLanguage, // the target names the source language or nothing: nothing is shown
    Shown,            // the presentation holds the results
};

struct TranslationResult {
    RequestOutcome outcome = RequestOutcome::NoTargetLanguage;
    Presentation shown;
    std::string userDictError; // the user dictionary could not be searched, and why; the volumes were
};

// Sets values.FirstLetter to the first byte of values.SourceWord, or empty.
void TakeFirstLetter(ProgramValues &values);

// Carries out one translation request: lower-cases the word, searches the volumes of its first letter and
// the user dictionary, and builds the presentation. With values.WordForms set, a word that finds no
// translation is replaced by the first of its base forms that does, and a word that is also an inflected form
// of another word (bor → bo) gets that word's translations after its own; the presentation names the base form.
TranslationResult TranslateWord(ProgramValues &values, const TranslationRequest &request);

// Heading of a language in the panes.
std::string_view LanguageHeading(int column) noexcept;

} // namespace trelvik
