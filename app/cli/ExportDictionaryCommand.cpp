#include "ExportDictionaryCommand.h"

#include "dictexport/DictionaryExport.h"
#include "qttext/QtText.h"
#include "services/AppFolder.h"

#include <QCoreApplication>

#include <cstdlib>
#include <ctime>

namespace trelvik {

namespace {

CommandReport usage(const QString &message)
{
    return CommandReport{2, true, {}, {message}};
}

// Today in UTC, or the day SOURCE_DATE_EPOCH names, so that a reproducible build writes the same files.
std::string buildDate()
{
    std::time_t now = std::time(nullptr);
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char *end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0' && seconds >= 0)
            now = static_cast<std::time_t>(seconds);
    }
    std::tm utc{};
    char date[16] = "";
    if (::gmtime_r(&now, &utc))
        std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
    return date;
}

} // namespace

CommandReport RunExportDictionary(const QStringList &args, const std::string &folder, const QCommandLineParser &parser,
                                  const std::string &appDir)
{
    if (args.size() != 2)
        return usage(QStringLiteral("export-dictionary takes one DIR."));
    if (parser.isSet(QStringLiteral("dry-run")))
        return usage(QStringLiteral("--dry-run goes with import."));

    DictionaryExportRequest request;
    const QString format =
        parser.isSet(QStringLiteral("format")) ? parser.value(QStringLiteral("format")) : QStringLiteral("dict");
    if (format == u"dict")
        request.format = DictionaryFormat::Dict;
    else if (format == u"stardict")
        request.format = DictionaryFormat::StarDict;
    else
        return usage(QStringLiteral("--format is dict or stardict for export-dictionary."));
    request.appDir = appDir;
    if (parser.isSet(QStringLiteral("with-user-dict")))
        request.userDictPath = UserDictionaryPath(appDir);
    request.date = buildDate();
    request.programName = "trelvik-cli " + QCoreApplication::applicationVersion().toStdString();

    const DictionaryExportResult result = ExportDictionaries(folder, request);
    CommandReport report;
    // A broken installation may lack many volumes: one line says so.
    if (result.notes.size() == 1)
        report.errors << FromEngineMessage(result.notes.front()) + QStringLiteral(": its words are left out.");
    else if (result.notes.size() > 1)
        report.errors << QStringLiteral("%1 (and %2 more volumes): their words are left out.")
                             .arg(FromEngineMessage(result.notes.front()))
                             .arg(result.notes.size() - 1);
    if (!result.ok) {
        report.errors << FromEngineMessage(result.error);
        report.exitCode = 1;
        return report;
    }
    for (const ExportedDictionary &written : result.written)
        report.out += QStringLiteral("%1: %2 entries\n").arg(QString::fromStdString(written.name)).arg(written.entries);
    report.out += QStringLiteral("Written to %1\n").arg(FromEngineMessage(folder));
    return report;
}

} // namespace trelvik
