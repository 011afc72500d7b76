#include "engine/TranslateWord.h"

#include "base/Text.h"
#include "engine/Catalogue.h"
#include "engine/Presentation.h"

#include <algorithm>

namespace trelvik {

namespace {

// A few base forms are plenty; the cap keeps word forms to a handful of extra searches.
constexpr std::size_t kMaxBaseFormsTried = 8;

// Searches the volumes (and the user dictionary) of one request's languages.
struct Search {
    const Catalogue &catalogue;
    const LookupQuery &query;
    const LookupEnvironment &env;

    // Searches for word and adds what it finds behind what ctx holds already.
    LookupContext operator()(const std::string &word, LookupContext ctx) const
    {
        ctx.word = word;
        ctx.from = query.from;
        ctx.to = query.to;
        ctx.findSynonyms = query.findSynonyms;
        ctx.firstLetter = word.substr(0, 1);
        SearchCatalogue(catalogue, ctx, env, query.useUserDict);
        return ctx;
    }
};

// The distinct base forms worth a search, lower-cased like typed words, without the word itself.
std::vector<std::string> BasesToTry(const std::vector<std::string> &forms, const std::string &word, CodePage codePage)
{
    std::vector<std::string> bases;
    for (const std::string &form : forms) {
        std::string base = LowerCaseWord(form, codePage);
        if (base.empty() || base == word || std::find(bases.begin(), bases.end(), base) != bases.end())
            continue;
        bases.push_back(std::move(base));
        if (bases.size() == kMaxBaseFormsTried)
            break;
    }
    return bases;
}

// A word without translations of its own: the results of the first base form that has translations, if any.
std::string FallBackOnBaseForm(BaseForms &forms, const std::string &word, const Search &search, LookupContext &ctx)
{
    const Language from = search.query.from;
    for (std::string &base : BasesToTry(forms.baseForms(word, from), word, CodePageOf(from))) {
        LookupContext found = search(base, LookupContext());
        if (JoinTranslations(found.translations).empty())
            continue;
        ctx = std::move(found);
        return std::move(base);
    }
    return {};
}

// A word with translations of its own that is also an inflected form (bor, saw): the first base form that adds
// translations puts them and its nearest words after the word's own, as far as the lists have room.
std::string FollowWithBaseForm(BaseForms &forms, const std::string &word, const Search &search, LookupContext &ctx)
{
    const Language from = search.query.from;
    const std::string own = JoinTranslations(ctx.translations);
    for (std::string &base : BasesToTry(forms.inflectionBases(word, from), word, CodePageOf(from))) {
        LookupContext both = search(base, ctx);
        if (JoinTranslations(both.translations) == own)
            continue;
        ctx = std::move(both);
        return std::move(base);
    }
    return {};
}

} // namespace

LookupResult TranslateWord(const LookupQuery &query, const LookupEnvironment &env)
{
    const std::string word = LowerCaseWord(query.word, CodePageOf(query.from));
    if (query.from == query.to) {
        LookupResult nothing;
        nothing.word = word;
        return nothing;
    }

    const Search search{CatalogueOf(query.from), query, env};
    LookupContext ctx = search(word, LookupContext());
    std::string base;
    if (env.baseForms) {
        base = JoinTranslations(ctx.translations).empty() ? FallBackOnBaseForm(*env.baseForms, word, search, ctx)
                                                          : FollowWithBaseForm(*env.baseForms, word, search, ctx);
    }
    LookupResult result = ShowResults(ctx);
    result.word = word;
    result.baseForm = std::move(base);
    return result;
}

} // namespace trelvik
