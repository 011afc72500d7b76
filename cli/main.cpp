// trelvik-cli: the dictionary for scripts. It runs the same requests as the window's "Translate" and
// the add-words window's "Add", with words in UTF-8 converted to the dictionary's code pages at this edge.

#include "qtedge/AppFolder.h"
#include "qtedge/QtText.h"
#include "qtedge/TypedWords.h"
#include "engine/TranslateWord.h"
#include "wordforms/HunspellBaseForms.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

using namespace trelvik;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDataError = 1;
constexpr int kExitUsage = 2;

void printOut(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
}

void printErr(const QString &text)
{
    const QByteArray utf8 = (QStringLiteral("trelvik-cli: ") + text + u'\n').toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
}

int usageError(const QString &message)
{
    printErr(message);
    printErr(QStringLiteral("Try 'trelvik-cli --help'."));
    return kExitUsage;
}

// Language codes accepted on the command line, with their language column.
std::optional<int> columnOfCode(const QString &code)
{
    if (code == u"ru")
        return kRussianColumn;
    if (code == u"sv")
        return kSwedishColumn;
    if (code == u"en")
        return kEnglishColumn;
    return std::nullopt;
}

int targetIndexOfColumn(int column)
{
    switch (column) {
    case kRussianColumn: return kTargetRussian;
    case kEnglishColumn: return kTargetEnglish;
    default: return kTargetSwedish;
    }
}

struct LookupJob {
    int from = kRussianColumn;
    int to = kSwedishColumn;
    bool json = false;
    ProgramValues values;
    std::unique_ptr<HunspellBaseForms> forms;
};

// Answers one word; returns false (after saying why) when the word cannot be written in its code page.
bool answer(LookupJob &job, const QString &word)
{
    std::string bytes;
    QString error;
    if (!ToSingleByte(word, CodePageOfColumn(job.from), bytes, &error)) {
        printErr(QStringLiteral("\"%1\": %2").arg(word, error));
        return false;
    }

    TranslationRequest request;
    request.Option1 = job.from == kRussianColumn;
    request.Option2 = job.from == kEnglishColumn;
    request.Option3 = job.from == kSwedishColumn;
    request.Combo1Index = targetIndexOfColumn(job.to);
    (job.from == kRussianColumn ? request.Text1 : request.Text2) = bytes;
    request.Text11 = std::string(LanguageHeading(job.from));
    request.Text22 = std::string(LanguageHeading(job.to));

    const Presentation shown = TranslateWord(job.values, request).shown;
    const CodePage sourcePage = CodePageOfColumn(job.from);
    const CodePage targetPage = CodePageOfColumn(job.to);
    const QString translation = FromSingleByte(shown.TextPole0, targetPage);
    const QString status = StatusText(shown, sourcePage);

    if (job.json) {
        QJsonArray nearest;
        for (const NearestRow &row : shown.shownRows)
            nearest.append(QJsonArray{FromSingleByte(row.word, sourcePage), FromSingleByte(row.translation, targetPage)});
        QJsonObject object{{QStringLiteral("word"), word},
                                 {QStringLiteral("translation"), translation},
                                 {QStringLiteral("nearest"), nearest},
                                 {QStringLiteral("status"), status}};
        if (!shown.baseForm.empty())
            object.insert(QStringLiteral("base"), FromSingleByte(shown.baseForm, sourcePage));
        printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n');
    } else {
        QString text = translation + u'\n';
        for (const NearestRow &row : shown.shownRows)
            text += FromSingleByte(row.word, sourcePage) + u'\t' + FromSingleByte(row.translation, targetPage) + u'\n';
        text += status + u'\n';
        printOut(text);
    }
    std::fflush(stdout);
    return true;
}

int runLookup(const QStringList &args, const QCommandLineParser &parser, const QString &appDir)
{
    if (args.size() < 3 || args.size() > 4)
        return usageError(QStringLiteral("lookup takes FROM TO [WORD]."));
    const auto from = columnOfCode(args.at(1));
    const auto to = columnOfCode(args.at(2));
    if (!from || !to)
        return usageError(QStringLiteral("FROM and TO are each one of ru, en, sv."));
    if (*from == *to)
        return usageError(QStringLiteral("FROM and TO must be different languages."));

    LookupJob job;
    job.from = *from;
    job.to = *to;
    job.json = parser.isSet(QStringLiteral("json"));
    SetStartValues(job.values, QFile::encodeName(appDir).toStdString(),
                   QFile::encodeName(UserDictionaryPath(appDir)).toStdString(), &LookupUserDict);
    if (parser.isSet(QStringLiteral("no-user-dict")))
        job.values.UseUserDict = 0;
    if (parser.isSet(QStringLiteral("no-synonyms")))
        job.values.FindSynonyms = false;
    if (parser.isSet(QStringLiteral("forms"))) {
        const std::string folder = HunspellFolder();
        const std::string missing = MissingDictionaryMessage(folder, {job.from});
        if (!missing.empty()) {
            printErr(QString::fromStdString(missing));
            return kExitDataError;
        }
        job.forms = std::make_unique<HunspellBaseForms>(folder);
        job.values.WordForms = job.forms.get();
    }

    if (args.size() == 4)
        return answer(job, args.at(3)) ? kExitOk : kExitDataError;

    bool allAnswered = true;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        allAnswered = answer(job, QString::fromStdString(line)) && allAnswered;
    }
    return allAnswered ? kExitOk : kExitDataError;
}

int runAdd(const QStringList &args, const QString &appDir)
{
    if (args.size() != 4)
        return usageError(QStringLiteral("add takes RUSSIAN ENGLISH SWEDISH."));
    const TypedWordsAdded added =
        AddTypedWords(QFile::encodeName(UserDictionaryPath(appDir)).toStdString(), args.at(1), args.at(2), args.at(3));
    if (added.outcome != TypedWordsAdded::Outcome::Added) {
        printErr(added.detail.isEmpty() ? added.message : added.message + QStringLiteral(": ") + added.detail);
        return kExitDataError;
    }
    printOut(WordsAddedText(added.recordNumber) + u'\n');
    return kExitOk;
}

int runCount(const QStringList &args, const QString &appDir)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("count takes no arguments."));
    std::int32_t count = 0;
    const UserDictResult result = ReadUserDictCount(QFile::encodeName(UserDictionaryPath(appDir)).toStdString(), count);
    if (!result) {
        printErr(FromEngineMessage(result.error));
        return kExitDataError;
    }
    printOut(QStringLiteral("%1 word(s)\n").arg(count < 1 ? 0 : count));
    return kExitOk;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SetApplicationIdentity();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Trelvik dictionary for scripts.\n\n"
        "  lookup [--no-user-dict] [--no-synonyms] [--forms] [--json] FROM TO [WORD]\n"
        "      Translates WORD, or one word per line of standard input. FROM and TO: ru, en, sv.\n"
        "      With --forms, a word without a translation is looked up by its base forms (books: book,\n"
        "      went: go, \u043A\u043D\u0438\u0433\u0438: \u043A\u043D\u0438\u0433\u0430); the status then names both words.\n"
        "  add RUSSIAN ENGLISH SWEDISH\n"
        "      Adds a triple to the user dictionary.\n"
        "  count\n"
        "      Prints how many records the user dictionary holds.\n\n"
        "Words are given in UTF-8. Stress marks (U+0301, U+0300) are dropped, and a Russian word may be written\n"
        "with \u0451 or \u0435: \u0451 is read as \u0435 in every comparison."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("app-dir"), QStringLiteral("Application folder holding data/ (default: the program's folder)."),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("no-user-dict"), QStringLiteral("Do not search the user dictionary.")});
    parser.addOption({QStringLiteral("no-synonyms"), QStringLiteral("Do not collect nearest words.")});
    parser.addOption({QStringLiteral("forms"),
                      QStringLiteral("Look up word forms: fall back on the base form of an inflected word "
                                     "(needs the Hunspell dictionaries of hunspell-ru, hunspell-sv, hunspell-en-us).")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("One JSON object per word.")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("lookup, add or count"));

    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        printOut(parser.helpText());
        return kExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printOut(QStringLiteral("trelvik-cli %1\n").arg(QCoreApplication::applicationVersion()));
        return kExitOk;
    }

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given."));

    QString appDir = ApplicationFolder();
    if (parser.isSet(QStringLiteral("app-dir"))) {
        appDir = QDir::cleanPath(QFileInfo(parser.value(QStringLiteral("app-dir"))).absoluteFilePath());
        if (!QFileInfo(appDir).isDir()) {
            printErr(QStringLiteral("%1 is not a folder.").arg(appDir));
            return kExitDataError;
        }
    }

    const QString command = args.first();
    const bool lookupOnly = parser.isSet(QStringLiteral("json")) || parser.isSet(QStringLiteral("no-user-dict"))
                            || parser.isSet(QStringLiteral("no-synonyms")) || parser.isSet(QStringLiteral("forms"));
    if (command == u"lookup")
        return runLookup(args, parser, appDir);
    if (lookupOnly)
        return usageError(QStringLiteral("--json, --no-user-dict, --no-synonyms and --forms go with lookup."));
    if (command == u"add")
        return runAdd(args, appDir);
    if (command == u"count")
        return runCount(args, appDir);
    return usageError(QStringLiteral("unknown command '%1'.").arg(command));
}
