// trelvik-cli: the dictionary for scripts. It runs the same requests as the window's "Translate" and
// the add-words window's "Add", with words in UTF-8 converted to the dictionary's code pages at this edge.

#include "ExportDictionaryCommand.h"
#include "base/CodePages.h"
#include "base/FileIO.h"
#include "engine/Presentation.h"
#include "engine/TranslateWord.h"
#include "qttext/QtText.h"
#include "services/AddTypedWords.h"
#include "services/AppFolder.h"
#include "services/StartUp.h"
#include "services/WordListTransfer.h"
#include "userdict/TypedWords.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"
#include "userdict/WordList.h"
#include "wordforms/HunspellBaseForms.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace trelvik;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDataError = 1;
constexpr int kExitUsage = 2;
// add and import stored the words, but could not say so: a script that tries again would store them twice.
constexpr int kExitStoredUnconfirmed = 3;

// Set once add or import has stored words.
bool g_wordsStored = false;

// The first error of standard output (an errno value), or 0: output that does not arrive is a failure.
int g_outputError = 0;
bool g_outputErrorShown = false;

// Writes bytes to standard output and pushes them out; false (the error kept) when they did not all get there.
bool writeOut(std::string_view bytes)
{
    if (g_outputError)
        return false;
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout))
        return true;
    g_outputError = errno ? errno : EIO;
    return false;
}

void printOut(const QString &text)
{
    writeOut(text.toUtf8().toStdString());
}

// Text that may hold words read from a file (a volume, the user dictionary, a word list), made safe for a
// terminal: control characters are shown as \uXXXX instead of being obeyed. The characters in kept stay.
QString shown(const QString &text, std::string_view kept = {})
{
    return QString::fromStdString(EscapeControlCharacters(text.toStdString(), kept));
}

void printErr(const QString &text)
{
    const QByteArray utf8 = (QStringLiteral("trelvik-cli: ") + shown(text) + u'\n').toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
}

// Says, once, why standard output failed; returns the exit status for it.
int outputFailure()
{
    if (!g_outputErrorShown)
        printErr(QStringLiteral("Cannot write to standard output: %1%2")
                     .arg(QString::fromLocal8Bit(std::strerror(g_outputError)),
                          g_wordsStored ? QStringLiteral(" (the words were stored)") : QString()));
    g_outputErrorShown = true;
    return g_wordsStored ? kExitStoredUnconfirmed : kExitDataError;
}

// Arguments as the program received them whose bytes are not UTF-8, as Qt decoded them.
std::set<QString> g_notUtf8Arguments;

const QString kNotUtf8 = QStringLiteral("The text is not valid UTF-8.");

// The positional arguments as the program received them: a file name is bytes, and need not be UTF-8.
std::vector<std::string> g_rawPositionals;

int usageError(const QString &message)
{
    printErr(message);
    printErr(QStringLiteral("Try 'trelvik-cli --help'."));
    return kExitUsage;
}

struct LookupJob {
    LookupQuery query; // the languages and options; the word changes from answer to answer
    LookupEnvironment env;
    bool json = false;
    bool batch = false; // the words come one a line from standard input
    bool userDictErrorSaid = false;
    std::unique_ptr<HunspellBaseForms> forms;
};

// Answers a word that cannot be looked up: the reason on standard error and, for a line of a batch, an error
// line (or object) in the answer's place, so that the answers stay in step with the lines.
void answerError(const LookupJob &job, const QString &word, const QString &error, bool onStandardError = true)
{
    if (onStandardError)
        printErr(QStringLiteral("\"%1\": %2").arg(word, error));
    if (!job.batch)
        return;
    if (job.json) {
        const QJsonObject object{{QStringLiteral("word"), word}, {QStringLiteral("error"), error}};
        printOut(shown(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))) + u'\n');
    } else {
        printOut(QStringLiteral("Error: \"%1\": %2\n").arg(shown(word), shown(error)));
    }
}

// Answers one word; returns false (after saying why) when the word is not UTF-8 or cannot be written in its
// code page.
bool answer(LookupJob &job, const QString &word, bool utf8 = true)
{
    if (!utf8) {
        answerError(job, word, kNotUtf8);
        return false;
    }
    QString error;
    if (!ToSingleByte(word, CodePageOf(job.query.from), job.query.word, &error)) {
        answerError(job, word, error);
        return false;
    }

    const LookupResult result = TranslateWord(job.query, job.env);
    // Without the user's words the answer could say "not present" of a word the user added: no answer then.
    if (!result.userDictError.empty()) {
        const QString unread = FromEngineMessage(result.userDictError);
        if (!std::exchange(job.userDictErrorSaid, true))
            printErr(unread);
        answerError(job, word, unread, /*onStandardError=*/false);
        return false;
    }
    const CodePage sourcePage = CodePageOf(job.query.from);
    const CodePage targetPage = CodePageOf(job.query.to);
    const QString translation = FromSingleByte(JoinTranslations(result.translations), targetPage);
    const QString status = QString::fromStdString(StatusLine(result, sourcePage));

    if (job.json) {
        QJsonArray nearest;
        for (const NearestPair &row : result.nearest)
            nearest.append(
                QJsonArray{FromSingleByte(row.word, sourcePage), FromSingleByte(row.translation, targetPage)});
        QJsonObject object{{QStringLiteral("word"), word},
                           {QStringLiteral("translation"), translation},
                           {QStringLiteral("nearest"), nearest},
                           {QStringLiteral("status"), status}};
        if (!result.baseForm.empty())
            object.insert(QStringLiteral("base"), FromSingleByte(result.baseForm, sourcePage));
        // JSON escapes C0 controls itself; \uXXXX for the others is JSON too and means the same.
        printOut(shown(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))) + u'\n');
    } else {
        QString text = shown(translation) + u'\n';
        for (const NearestPair &row : result.nearest)
            text += shown(FromSingleByte(row.word, sourcePage)) + u'\t'
                    + shown(FromSingleByte(row.translation, targetPage)) + u'\n';
        text += shown(status) + u'\n';
        printOut(text);
    }
    return true;
}

int runLookup(const QStringList &args, const QCommandLineParser &parser, const std::string &appDir)
{
    if (args.size() < 3 || args.size() > 4)
        return usageError(QStringLiteral("lookup takes FROM TO [WORD]."));
    const auto from = LanguageOfCode(args.at(1).toStdString());
    const auto to = LanguageOfCode(args.at(2).toStdString());
    if (!from || !to)
        return usageError(QStringLiteral("FROM and TO are each one of ru, en, sv."));
    if (*from == *to)
        return usageError(QStringLiteral("FROM and TO must be different languages."));

    LookupJob job;
    job.query.from = *from;
    job.query.to = *to;
    job.json = parser.isSet(QStringLiteral("json"));
    job.env = LookupEnvironment{appDir, UserDictionaryPath(appDir), &LookupUserDict};
    job.query.useUserDict = !parser.isSet(QStringLiteral("no-user-dict"));
    job.query.findSynonyms = !parser.isSet(QStringLiteral("no-synonyms"));
    if (parser.isSet(QStringLiteral("forms"))) {
        const std::string folder = HunspellFolder();
        const std::string missing = MissingDictionaryMessage(folder, {*from});
        if (!missing.empty()) {
            printErr(FromEngineMessage(missing));
            return kExitDataError;
        }
        job.forms = std::make_unique<HunspellBaseForms>(folder);
        job.env.baseForms = job.forms.get();
    }

    if (args.size() == 4)
        return answer(job, args.at(3), !g_notUtf8Arguments.count(args.at(3))) ? kExitOk : kExitDataError;

    job.batch = true;
    bool allAnswered = true;
    std::string line;
    while (!g_outputError && std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        allAnswered = answer(job, QString::fromStdString(line), IsValidUtf8(line)) && allAnswered;
    }
    return allAnswered ? kExitOk : kExitDataError;
}

int runAdd(const QStringList &args, const std::string &appDir)
{
    if (args.size() != 4)
        return usageError(QStringLiteral("add takes RUSSIAN ENGLISH SWEDISH."));
    for (int i = 1; i < 4; ++i) {
        if (g_notUtf8Arguments.count(args.at(i))) {
            printErr(QStringLiteral("\"%1\": %2").arg(args.at(i), kNotUtf8));
            return kExitDataError;
        }
    }
    std::string userDict = UserDictionaryPath(appDir);
    const std::string russian = args.at(1).toStdString();
    const std::string english = args.at(2).toStdString();
    const std::string swedish = args.at(3).toStdString();
    const TypedWordsAdded added = AddTypedWords(userDict, TripleView{russian, swedish, english});
    if (!added.note.empty())
        printErr(FromEngineMessage(added.note));
    if (added.outcome != TypedWordsAdded::Outcome::Added) {
        printErr(FromEngineMessage(added.detail.empty() ? added.message : added.message + ": " + added.detail));
        return kExitDataError;
    }
    g_wordsStored = true;
    writeOut(WordsAddedText(added.recordNumber) + '\n');
    return kExitOk;
}

int runCount(const QStringList &args, const std::string &appDir)
{
    if (args.size() != 1)
        return usageError(QStringLiteral("count takes no arguments."));
    std::int32_t count = 0;
    const UserDictResult result = ReadUserDictCount(UserDictionaryPath(appDir), count);
    if (!result) {
        printErr(FromEngineMessage(result.error));
        return kExitDataError;
    }
    printOut(QStringLiteral("%1 word(s)\n").arg(count < 1 ? 0 : count));
    return kExitOk;
}

std::optional<WordListFormat> formatOfName(const QString &name)
{
    if (name == u"csv")
        return WordListFormat::Csv;
    if (name == u"tsv")
        return WordListFormat::Tsv;
    return std::nullopt;
}

// The bytes of the positional argument at index, as the program received it.
std::string rawPositional(const QStringList &args, int index)
{
    if (g_rawPositionals.size() == static_cast<std::size_t>(args.size()))
        return g_rawPositionals[static_cast<std::size_t>(index)];
    return QFile::encodeName(args.at(index)).toStdString();
}

// Whether writing a word list to file would overwrite a user dictionary: the one in use under any of its
// names, or any file whose first line is a record count followed by records.
bool holdsUserDictionary(const std::string &file, const std::string &appDir)
{
    struct stat target {};
    if (::stat(file.c_str(), &target) != 0)
        return false;
    for (const std::string &userDict :
         {UserDictionaryPath(appDir), appDir + "/user.dct", UserDataFolder() + "/user.dct"}) {
        struct stat st {};
        if (::stat(userDict.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino)
            return true;
    }
    std::string bytes;
    if (!S_ISREG(target.st_mode)
        || ReadWholeFile(file, /*createIfMissing=*/false, bytes, nullptr, 4096) != ReadStatus::Ok)
        return false;
    const std::size_t end = bytes.find('\n');
    std::int32_t count = 0;
    std::string_view first = std::string_view(bytes).substr(0, end);
    while (!first.empty() && (first.back() == '\r' || first.back() == ' '))
        first.remove_suffix(1);
    while (!first.empty() && first.front() == ' ')
        first.remove_prefix(1);
    const std::string_view rest =
        end == std::string::npos ? std::string_view() : std::string_view(bytes).substr(end + 1);
    return ParseRecordCount(first, count) && (rest.empty() || rest.front() == '"' || rest.substr(0, 2) == ",,");
}

int runExport(const QStringList &args, const QCommandLineParser &parser, const std::string &appDir)
{
    if (args.size() > 2)
        return usageError(QStringLiteral("export takes at most one FILE."));
    const QString file = args.size() == 2 ? args.at(1) : QString();
    const std::string fileName = args.size() == 2 ? rawPositional(args, 1) : std::string();
    // Without --format, a FILE named *.tsv or *.tab gets TSV, anything else CSV.
    std::optional<WordListFormat> format =
        SeparatorsOfWordList(fileName) == "\t" ? WordListFormat::Tsv : WordListFormat::Csv;
    if (parser.isSet(QStringLiteral("format"))) {
        format = formatOfName(parser.value(QStringLiteral("format")));
        if (!format)
            return usageError(QStringLiteral("--format is csv or tsv."));
    }

    ExportedWords exported;
    const UserDictResult result = ExportUserDict(UserDictionaryPath(appDir), *format, exported);
    if (!result) {
        printErr(FromEngineMessage(result.error));
        return kExitDataError;
    }
    if (exported.leftOut > 0)
        printErr(QStringLiteral("%1 record(s) of three empty words left out.").arg(exported.leftOut));
    // A record UTF-8 cannot hold would not come back from the list: it is named, and the export fails.
    for (const std::string &refusal : exported.refused)
        printErr(QString::fromStdString(refusal));
    const int status = exported.refused.empty() ? kExitOk : kExitDataError;

    if (file.isEmpty() || file == u"-") {
        if (!writeOut(exported.text))
            return outputFailure();
        return status;
    }
    if (holdsUserDictionary(fileName, appDir)) {
        printErr(QStringLiteral("%1 holds a user dictionary; export writes word lists to another file.").arg(file));
        return kExitDataError;
    }
    std::string error;
    RemoveAbandonedTemporaries(fileName);
    if (!ReplaceFileAtomically(fileName, exported.text, error)) {
        printErr(FromEngineMessage(error));
        return kExitDataError;
    }
    printOut(QStringLiteral("%1 record(s) written to %2\n").arg(exported.records).arg(file));
    return status;
}

// Prints what a command in a file of its own reports and returns its exit status.
int reportCommand(const CommandReport &report)
{
    if (report.usage)
        return usageError(FromEngineMessage(report.errors.empty() ? std::string() : report.errors.front()));
    for (const std::string &error : report.errors)
        printErr(FromEngineMessage(error));
    if (!report.out.empty() && !writeOut(shown(FromEngineMessage(report.out), "\n").toStdString()))
        return outputFailure();
    return report.exitCode;
}

// The word list FILE, or standard input for "-", read in pieces: no list is ever held whole, and standard
// input has the size limit of a file.
WordListSource wordListSource(const std::string &fileName, bool fromStdin)
{
    return [fileName, fromStdin](const std::function<bool(std::string_view)> &take, std::string &error) {
        const ReadStatus status =
            fromStdin ? ReadStreamInPieces(STDIN_FILENO, "standard input", kMaxDataFileBytes, take, &error)
                      : ReadFileInPieces(fileName, take, &error);
        return status == ReadStatus::Ok;
    };
}

// A line on standard error without the program's name, its words shown safe for a terminal.
void printErrLine(const QString &text)
{
    const QByteArray utf8 = (shown(text) + u'\n').toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
}

QString quotedWords(const UserRecord &record)
{
    const auto word = [&](Language language) { return FromSingleByte(record[language], CodePageOf(language)); };
    return shown(QStringLiteral("\"%1\", \"%2\", \"%3\"")
                     .arg(word(Language::Russian), word(Language::Swedish), word(Language::English)));
}

int runImport(const QStringList &args, const QCommandLineParser &parser, const std::string &appDir)
{
    if (args.size() != 2)
        return usageError(QStringLiteral("import takes one FILE, or - for standard input."));
    const QString file = args.at(1);
    const bool fromStdin = file == u"-";
    const QString shownName = fromStdin ? QStringLiteral("(standard input)") : shown(file);

    const std::string fileName = fromStdin ? std::string() : rawPositional(args, 1);
    const bool dryRun = parser.isSet(QStringLiteral("dry-run"));

    // Rows are reported while the list is read; the report goes out in pieces.
    constexpr std::size_t kReportPiece = 64 * 1024;
    std::string report;
    ImportListener listener;
    listener.onProblem = [&](const ImportProblem &problem) {
        printErrLine(
            QStringLiteral("%1:%2: %3").arg(shownName).arg(problem.line).arg(QString::fromStdString(problem.reason)));
    };
    listener.onHeader = [&](std::size_t line) {
        printErrLine(QStringLiteral("%1:%2: another header row, skipped").arg(shownName).arg(line));
    };
    if (dryRun) {
        listener.onRow = [&](const ImportRow &row) {
            const QString fate =
                row.fate == ImportRow::Fate::AlreadyPresent ? QStringLiteral("already present") : QStringLiteral("add");
            report += QStringLiteral("%1:%2: %3 %4\n")
                          .arg(shownName)
                          .arg(row.line)
                          .arg(fate, quotedWords(row.record))
                          .toStdString();
            if (report.size() >= kReportPiece) {
                writeOut(report);
                report.clear();
            }
        };
        listener.goOn = [] { return g_outputError == 0; };
    }
    const ImportOutcome outcome = ImportWordList(UserDictionaryPath(appDir), wordListSource(fileName, fromStdin),
                                                 SeparatorsOfWordList(fileName), dryRun, listener);
    if (!outcome.note.empty())
        printErr(FromEngineMessage(outcome.note));
    if (!outcome.fileError.empty()) {
        writeOut(report);
        printErr(FromEngineMessage(outcome.fileError));
        return kExitDataError;
    }

    if (outcome.problems > 0)
        printErr(QStringLiteral("nothing imported: %1 row(s) cannot be stored.").arg(outcome.problems));
    if (dryRun) {
        report += QStringLiteral("Dry run: %1 would be added, %2 already present; nothing was written.\n")
                      .arg(outcome.added)
                      .arg(outcome.alreadyPresent)
                      .toStdString();
    } else if (outcome.stored) {
        g_wordsStored = true;
        report += QStringLiteral("%1 added, %2 already present\n")
                      .arg(outcome.added)
                      .arg(outcome.alreadyPresent)
                      .toStdString();
    }
    if (!writeOut(report))
        return outputFailure();
    return outcome.problems == 0 ? kExitOk : kExitDataError;
}

// The value of --app-dir as the program received it: a folder name is bytes, and need not be UTF-8.
std::optional<std::string> rawAppDir(int argc, char *argv[])
{
    std::optional<std::string> value;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--app-dir" && i + 1 < argc)
            value = argv[++i];
        else if (arg.rfind("--app-dir=", 0) == 0)
            value = std::string(arg.substr(10));
    }
    return value;
}

// The arguments that are no option and no option's value, in order, as bytes.
std::vector<std::string> rawPositionals(int argc, char *argv[])
{
    std::vector<std::string> positionals;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg.size() > 1 && arg.front() == '-') {
            if ((arg == "--app-dir" || arg == "--format") && i + 1 < argc)
                ++i;
        } else {
            positionals.emplace_back(arg);
        }
    }
    return positionals;
}

int run(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!IsValidUtf8(argv[i]))
            g_notUtf8Arguments.insert(QString::fromLocal8Bit(argv[i]));
    }
    g_rawPositionals = rawPositionals(argc, argv);
    QCoreApplication app(argc, argv);
    SetApplicationIdentity();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Trelvik dictionary for scripts.\n\n"
        "  lookup [--no-user-dict] [--no-synonyms] [--forms] [--json] FROM TO [WORD]\n"
        "      Translates WORD, or one word per line of standard input. FROM and TO: ru, en, sv.\n"
        "      With --forms, a word without a translation is looked up by its base forms (books: book,\n"
        "      went: go, \u043A\u043D\u0438\u0433\u0438: \u043A\u043D\u0438\u0433\u0430), and a word that is also a "
        "form of\n"
        "      another word gets that word's translations after its own (saw: see); the status then names both "
        "words.\n"
        "      A user dictionary that is there but cannot be read is an error (exit 1), not \"not present\".\n"
        "  add RUSSIAN ENGLISH SWEDISH\n"
        "      Adds a triple to the user dictionary.\n"
        "  count\n"
        "      Prints how many records the user dictionary holds.\n"
        "  export [--format csv|tsv] [FILE]\n"
        "      Writes the user dictionary as a UTF-8 word list (columns russian, swedish, english) to FILE or\n"
        "      standard output: CSV for spreadsheets, TSV for flashcard programs (the default follows FILE's\n"
        "      extension, else CSV). A word that begins with = + - @ (or a tab) gets an apostrophe in front,\n"
        "      so that no spreadsheet runs it as a formula; import takes that apostrophe off again. A record\n"
        "      import could not take back (a hand-edited user dictionary) is named and left out, and the exit\n"
        "      status is 1.\n"
        "  import [--dry-run] FILE|-\n"
        "      Adds the rows of a UTF-8 CSV or TSV word list to the user dictionary, checked as the add-words\n"
        "      window checks typed words; triples already there are skipped. A header row names the column\n"
        "      order (russian, swedish, english, in English, Swedish or Russian); one that names only two of\n"
        "      them is a bad row. Any bad row: nothing is added and every bad row is listed as FILE:LINE: reason.\n"
        "  export-dictionary [--format dict|stardict] [--with-user-dict] DIR\n"
        "      Writes the dictionary into DIR as six dictionaries, one a direction (trelvik-ru-sv, ...), for a DICT\n"
        "      server such as dictd (NAME.index, NAME.dict.dz; the default) or for StarDict readers such as sdcv\n"
        "      (NAME.ifo, NAME.idx, NAME.dict.dz). Each word gives the translations of its translation line,\n"
        "      one a line; --with-user-dict adds the user dictionary's words behind the main dictionary's.\n"
        "\n"
        "Exit status: 0 done; 1 a data or file error, or output that cannot be written (add and import then\n"
        "stored nothing); 2 a usage error; 3 add or import stored the words but could not say so: do not run it\n"
        "again.\n"
        "\n"
        "Moving words to a new machine: 'trelvik-cli export words.csv' here, 'trelvik-cli import words.csv'\n"
        "there. Into a flashcard program: 'trelvik-cli export words.tsv', then import that file there.\n\n"
        "Words are given in UTF-8 and composed to NFC (e + U+0301 is \u00E9). Stress marks (U+0301, U+0300) that\n"
        "compose with nothing are dropped, and a Russian word may be written with \u0451 or \u0435: \u0451 is read\n"
        "as \u0435 in every comparison. Words cannot hold control characters; where a word read from the\n"
        "dictionary files holds one, it is printed as \\u001B (export into a file or a pipe keeps it as it is)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("app-dir"),
                      QStringLiteral("Application folder holding data/ (default: the program's folder)."),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("no-user-dict"), QStringLiteral("Do not search the user dictionary.")});
    parser.addOption({QStringLiteral("no-synonyms"), QStringLiteral("Do not collect nearest words.")});
    parser.addOption(
        {QStringLiteral("forms"),
         QStringLiteral("Look up word forms: also the translations of an inflected word's base form "
                        "(needs the Hunspell dictionaries of hunspell-ru, hunspell-sv, hunspell-en-us).")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("One JSON object per word.")});
    parser.addOption({QStringLiteral("format"),
                      QStringLiteral("export: csv or tsv; export-dictionary: dict or stardict."),
                      QStringLiteral("FORMAT")});
    parser.addOption(
        {QStringLiteral("with-user-dict"), QStringLiteral("export-dictionary: add the user dictionary's words.")});
    parser.addOption(
        {QStringLiteral("dry-run"), QStringLiteral("import: report what would be added and skipped, change nothing.")});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("lookup, add, count, export, import or export-dictionary"));

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

    const QString command = args.first();
    StartUpRequest request;
    if (const std::optional<std::string> given = rawAppDir(argc, argv);
        given && parser.isSet(QStringLiteral("app-dir")))
        request.appDir = *given;
    request.needsDictionary = command == u"lookup" || command == u"export-dictionary";
    // A dry run writes nothing at all.
    request.joinPortableWords = !(command == u"import" && parser.isSet(QStringLiteral("dry-run")));
    const StartUp start = StartProgram(request);
    if (!start) {
        printErr(FromEngineMessage(start.error));
        return kExitDataError;
    }
    for (const std::string &note : start.notes)
        printErr(FromEngineMessage(note));
    const std::string &appDir = start.appDir;

    const bool lookupOnly = parser.isSet(QStringLiteral("json")) || parser.isSet(QStringLiteral("no-user-dict"))
                            || parser.isSet(QStringLiteral("no-synonyms")) || parser.isSet(QStringLiteral("forms"));
    if (parser.isSet(QStringLiteral("with-user-dict")) && command != u"export-dictionary")
        return usageError(QStringLiteral("--with-user-dict goes with export-dictionary."));
    if (command == u"lookup")
        return runLookup(args, parser, appDir);
    if (lookupOnly)
        return usageError(QStringLiteral("--json, --no-user-dict, --no-synonyms and --forms go with lookup."));
    if (command == u"export-dictionary") {
        ExportDictionaryArguments given;
        given.positionals = static_cast<std::size_t>(args.size());
        given.folder = args.size() == 2 ? rawPositional(args, 1) : std::string();
        if (parser.isSet(QStringLiteral("format")))
            given.format = parser.value(QStringLiteral("format")).toStdString();
        given.withUserDict = parser.isSet(QStringLiteral("with-user-dict"));
        given.dryRun = parser.isSet(QStringLiteral("dry-run"));
        return reportCommand(
            RunExportDictionary(given, appDir, "trelvik-cli " + QCoreApplication::applicationVersion().toStdString()));
    }
    const bool exportOnly = parser.isSet(QStringLiteral("format"));
    const bool importOnly = parser.isSet(QStringLiteral("dry-run"));
    if (exportOnly && command != u"export")
        return usageError(QStringLiteral("--format goes with export and export-dictionary."));
    if (importOnly && command != u"import")
        return usageError(QStringLiteral("--dry-run goes with import."));
    if (command == u"export")
        return runExport(args, parser, appDir);
    if (command == u"import")
        return runImport(args, parser, appDir);
    if (command == u"add")
        return runAdd(args, appDir);
    if (command == u"count")
        return runCount(args, appDir);
    return usageError(QStringLiteral("unknown command '%1'.").arg(command));
}

} // namespace

int main(int argc, char *argv[])
{
    // A closed standard stream would hand its number to the next file opened, and output meant for the
    // terminal could land in the user dictionary: each gets /dev/null instead, and closed output counts as
    // failed output.
    for (const int fd : {0, 1, 2}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (fd == 1)
                g_outputError = EBADF;
        }
    }
    // A reader that goes away (export | head) makes the write fail, which is reported, rather than kill us.
    std::signal(SIGPIPE, SIG_IGN);
    int status = kExitOk;
    try {
        status = run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fputs("trelvik-cli: Out of memory.\n", stderr);
        return kExitDataError;
    }
    if (g_outputError || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        if (!g_outputError)
            g_outputError = errno ? errno : EIO;
        return outputFailure();
    }
    return status;
}
