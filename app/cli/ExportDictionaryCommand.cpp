#include "ExportDictionaryCommand.h"

#include "Command.h"

#include "dictexport/DictionaryExport.h"
#include "services/AppFolder.h"

#include <cstdlib>
#include <ctime>

namespace trelvik {

namespace {

CommandReport usage(const std::string &message)
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

CommandReport RunExportDictionary(const ExportDictionaryArguments &args, const std::string &appDir,
                                  const std::string &programName)
{
    if (args.positionals != 2)
        return usage("export-dictionary takes one DIR.");
    if (args.dryRun)
        return usage("--dry-run goes with import.");

    DictionaryExportRequest request;
    const std::string format = args.format.value_or("dict");
    if (format == "dict")
        request.format = DictionaryFormat::Dict;
    else if (format == "stardict")
        request.format = DictionaryFormat::StarDict;
    else
        return usage("--format is dict or stardict for export-dictionary.");
    request.appDir = appDir;
    if (args.withUserDict)
        request.userDictPath = UserDictionaryPath(appDir);
    request.date = buildDate();
    request.programName = programName;

    const DictionaryExportResult result = ExportDictionaries(args.folder, request);
    CommandReport report;
    // A broken installation may lack many volumes: one line says so.
    if (result.notes.size() == 1)
        report.errors.push_back(result.notes.front() + ": its words are left out.");
    else if (result.notes.size() > 1)
        report.errors.push_back(result.notes.front() + " (and " + std::to_string(result.notes.size() - 1)
                                + " more volumes): their words are left out.");
    if (!result.ok) {
        report.errors.push_back(result.error);
        report.exitCode = 1;
        return report;
    }
    for (const ExportedDictionary &written : result.written)
        report.out += written.name + ": " + std::to_string(written.entries) + " entries\n";
    report.out += "Written to " + args.folder + "\n";
    return report;
}

namespace cli {

int RunExportDictionaryCommand(const Command &command)
{
    const Arguments &args = command.args;
    Output &out = command.out;
    ExportDictionaryArguments given;
    given.positionals = args.positionals.size();
    given.folder = args.positionals.size() == 2 ? args.positionals[1].bytes : std::string();
    if (args.format)
        given.format = args.format->text;
    given.withUserDict = args.withUserDict;
    given.dryRun = args.dryRun;
    const CommandReport report = RunExportDictionary(given, command.appDir, "trelvik-cli " TRELVIK_VERSION);

    if (report.usage)
        return out.usage(TextOf(report.errors.empty() ? std::string() : report.errors.front()));
    for (const std::string &error : report.errors)
        out.error(TextOf(error));
    if (!report.out.empty() && !out.write(Shown(TextOf(report.out), "\n")))
        return out.failure();
    return report.exitCode;
}

} // namespace cli

} // namespace trelvik
