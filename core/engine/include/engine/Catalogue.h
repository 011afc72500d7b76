#pragma once

#include "base/Language.h"
#include "engine/Lookup.h"
#include "engine/LookupContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace trelvik {

// One catalogue row: the first letter (one byte) and the volumes of that letter, in search order.
struct CatalogueRow {
    unsigned char letter;
    std::vector<std::string_view> volumes;
};

// The volumes of one source language: the language folder under data/ and its rows in search order.
struct Catalogue {
    std::string_view folder;
    Language language; // the language whose words the volumes are filed by
    std::vector<CatalogueRow> rows;

    // The row of a first letter, or nullptr when the letter has none (also for an empty letter).
    const CatalogueRow *rowFor(std::string_view firstLetter) const noexcept;
    // Full file name of a volume of this catalogue in an application folder.
    std::string volumePath(std::string_view appDir, std::string_view volume) const;
};

const Catalogue &RussianCatalogue();
const Catalogue &EnglishCatalogue();
const Catalogue &SwedishCatalogue();

// The three catalogues in the order Russian, English, Swedish.
const std::vector<const Catalogue *> &AllCatalogues();

// The catalogue of a source language.
const Catalogue &CatalogueOf(Language language) noexcept;

// The router: searches the volumes of ctx.firstLetter in the source language's catalogue, then, with
// useUserDict, the user dictionary through env.searchUserDict.
void SearchCatalogue(const Catalogue &catalogue, LookupContext &ctx, const LookupEnvironment &env, bool useUserDict);

} // namespace trelvik
