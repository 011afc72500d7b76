#pragma once

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
    int sourceColumn;
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

// Routers: search the volumes of ctx.FirstLetter in the source language's catalogue, then the user
// dictionary through env.SearchUserDict when env.UseUserDict is non-zero.
void LookupRussian(LookupContext &ctx, const LookupEnvironment &env);
void LookupEnglish(LookupContext &ctx, const LookupEnvironment &env);
void LookupSwedish(LookupContext &ctx, const LookupEnvironment &env);

} // namespace trelvik
