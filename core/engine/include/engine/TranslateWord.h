#pragma once

#include "engine/Lookup.h"

namespace trelvik {

// Looks up one word: lower-cases it, searches the volumes of its first letter and the user dictionary, and
// makes the result. With env.baseForms set, a word that finds no translation is replaced by the first of its
// base forms that does, and a word that is also an inflected form of another word (bor → bo) gets that word's
// translations after its own; the result names the base form. A query whose two languages are the same
// searches nothing.
LookupResult TranslateWord(const LookupQuery &query, const LookupEnvironment &env);

} // namespace trelvik
