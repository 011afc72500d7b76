#include "engine/TranslateWord.h"

#include "base/Text.h"
#include "engine/Catalogue.h"

#include <algorithm>
#include <iterator>

namespace trelvik {

namespace {

using Router = void (*)(LookupContext &, const LookupEnvironment &);

// One row of the source-language table: which switch, column, input field, code page and router.
struct SourceRoute {
    int sourceColumn;
    bool wordFromText1;
    CodePage codePage;
    Router router;
};

const SourceRoute kRussianRoute{kRussianColumn, true, CodePage::Windows1251, &LookupRussian};
const SourceRoute kEnglishRoute{kEnglishColumn, false, CodePage::Windows1252, &LookupEnglish};
const SourceRoute kSwedishRoute{kSwedishColumn, false, CodePage::Windows1252, &LookupSwedish};

// The target list in index order.
constexpr int kTargetColumns[] = {kRussianColumn, kEnglishColumn, kSwedishColumn};

// A few base forms are plenty; the cap keeps word forms to a handful of extra searches.
constexpr std::size_t kMaxBaseFormsTried = 8;

// Searches the volumes (and the user dictionary) of one request's languages.
struct Search {
    const SourceRoute &route;
    int targetColumn;
    bool findSynonyms;
    const LookupEnvironment &env;

    // Searches for word and adds what it finds behind what ctx holds already.
    LookupContext operator()(const std::string &word, LookupContext ctx) const
    {
        ctx.SourceWord = word;
        ctx.SourceColumn = route.sourceColumn;
        ctx.TargetColumn = targetColumn;
        ctx.FindSynonyms = findSynonyms;
        ctx.FirstLetter = word.substr(0, 1);
        route.router(ctx, env);
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
    const SourceRoute &route = search.route;
    for (std::string &base : BasesToTry(forms.baseForms(word, route.sourceColumn), word, route.codePage)) {
        LookupContext found = search(base, LookupContext());
        if (JoinTranslations(found.Translations).empty())
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
    const SourceRoute &route = search.route;
    const std::string own = JoinTranslations(ctx.Translations);
    for (std::string &base : BasesToTry(forms.inflectionBases(word, route.sourceColumn), word, route.codePage)) {
        LookupContext both = search(base, ctx);
        if (JoinTranslations(both.Translations) == own)
            continue;
        ctx = std::move(both);
        return std::move(base);
    }
    return {};
}

} // namespace

int ColumnOfTargetIndex(int index) noexcept
{
    return (index >= 0 && index < static_cast<int>(std::size(kTargetColumns))) ? kTargetColumns[index] : 0;
}

int TargetIndexOfColumn(int column) noexcept
{
    for (int index = 0; index < static_cast<int>(std::size(kTargetColumns)); ++index) {
        if (kTargetColumns[index] == column)
            return index;
    }
    return kTargetNone;
}

void SetStartValues(ProgramValues &values, std::string appDir, std::string userDictPath, UserDictSearch searchUserDict)
{
    values.UseUserDict = 1;
    values.FindSynonyms = true;
    values.UserDictCount = 0;
    values.AppDir = std::move(appDir);
    values.UserDictPath = std::move(userDictPath);
    values.SearchUserDict = searchUserDict;
}

void TakeFirstLetter(ProgramValues &values)
{
    values.FirstLetter = values.SourceWord.empty() ? std::string() : values.SourceWord.substr(0, 1);
}

std::string_view LanguageHeading(int column) noexcept
{
    switch (column) {
    case kRussianColumn: return "RUSSIAN";
    case kEnglishColumn: return "ENGLISH";
    default: return "SWEDISH";
    }
}

TranslationResult TranslateWord(ProgramValues &values, const TranslationRequest &request)
{
    TranslationResult result;
    const SourceRoute *route = request.Option1   ? &kRussianRoute
                               : request.Option2 ? &kEnglishRoute
                               : request.Option3 ? &kSwedishRoute
                                                 : nullptr;
    if (!route) {
        result.outcome = RequestOutcome::NoSourceLanguage;
        return result;
    }

    values.SourceWord = LowerCaseWord(route->wordFromText1 ? request.Text1 : request.Text2, route->codePage);
    TakeFirstLetter(values);

    const int targetColumn = ColumnOfTargetIndex(request.Combo1Index);
    if (targetColumn == 0 || targetColumn == route->sourceColumn) {
        result.outcome = RequestOutcome::NoTargetLanguage;
        return result;
    }

    const LookupEnvironment env{values.AppDir, values.UseUserDict, values.UserDictPath, values.SearchUserDict};
    const Search search{*route, targetColumn, values.FindSynonyms, env};
    LookupContext ctx = search(values.SourceWord, LookupContext());
    std::string base;
    if (values.WordForms) {
        base = JoinTranslations(ctx.Translations).empty()
                   ? FallBackOnBaseForm(*values.WordForms, values.SourceWord, search, ctx)
                   : FollowWithBaseForm(*values.WordForms, values.SourceWord, search, ctx);
    }
    result.outcome = RequestOutcome::Shown;
    result.userDictError = std::move(ctx.UserDictError);
    result.shown = ShowResults(ctx.Translations, ctx.NearestWords, request.Text11, request.Text22);
    if (!base.empty()) {
        result.shown.formOf = values.SourceWord;
        result.shown.baseForm = std::move(base);
    }
    return result;
}

} // namespace trelvik
