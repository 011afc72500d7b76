#include "TranslateWord.h"

#include "Catalogue.h"
#include "Text.h"

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

// A few base forms are plenty; the cap keeps a fallback to a handful of extra searches.
constexpr std::size_t kMaxBaseFormsTried = 8;

// Shows the results of the first base form of word that has translations, if any has.
template <typename LookUp>
void LookUpBaseForms(BaseForms &forms, const std::string &word, const SourceRoute &route, const LookUp &lookUp,
                     const TranslationRequest &request, Presentation &shown)
{
    std::vector<std::string> tried{word};
    for (const std::string &form : forms.baseForms(word, route.sourceColumn)) {
        std::string base = LowerCaseWord(form, route.codePage);
        if (base.empty() || std::find(tried.begin(), tried.end(), base) != tried.end())
            continue;
        if (tried.size() > kMaxBaseFormsTried)
            break;
        tried.push_back(base);
        LookupContext ctx = lookUp(base);
        if (JoinTranslations(ctx.Translations).empty())
            continue;
        shown = ShowResults(ctx.Translations, ctx.NearestWords, request.Text11, request.Text22);
        shown.formOf = word;
        shown.baseForm = std::move(base);
        return;
    }
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
    const auto lookUp = [&](const std::string &word) {
        LookupContext ctx;
        ctx.SourceWord = word;
        ctx.SourceColumn = route->sourceColumn;
        ctx.TargetColumn = targetColumn;
        ctx.FindSynonyms = values.FindSynonyms;
        ctx.FirstLetter = word.substr(0, 1);
        route->router(ctx, env);
        return ctx;
    };

    LookupContext ctx = lookUp(values.SourceWord);
    result.outcome = RequestOutcome::Shown;
    result.userDictError = std::move(ctx.UserDictError);
    result.shown = ShowResults(ctx.Translations, ctx.NearestWords, request.Text11, request.Text22);
    if (values.WordForms && result.shown.TextPole0.empty())
        LookUpBaseForms(*values.WordForms, values.SourceWord, *route, lookUp, request, result.shown);
    return result;
}

} // namespace trelvik
