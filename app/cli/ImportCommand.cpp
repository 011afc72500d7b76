// trelvik-cli import: the rows of a CSV or TSV word list (a file or standard input) into the user dictionary.

#include "Command.h"

#include "base/CodePages.h"
#include "base/FileIO.h"
#include "services/AppFolder.h"
#include "services/WordListTransfer.h"
#include "userdict/WordList.h"

#include <unistd.h>

namespace trelvik::cli {

namespace {

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

std::string quotedWords(const UserRecord &record)
{
    const auto word = [&](Language language) { return DecodeToUtf8(record[language], CodePageOf(language)); };
    return Shown("\"" + word(Language::Russian) + "\", \"" + word(Language::Swedish) + "\", \""
                 + word(Language::English) + "\"");
}

} // namespace

int RunImport(const Command &command)
{
    const std::vector<Argument> &args = command.args.positionals;
    Output &out = command.out;
    if (args.size() != 2)
        return out.usage("import takes one FILE, or - for standard input.");
    const bool fromStdin = args[1].text == "-";
    const std::string shownName = fromStdin ? std::string("(standard input)") : Shown(args[1].text);
    const std::string fileName = fromStdin ? std::string() : args[1].bytes;
    const bool dryRun = command.args.dryRun;
    const auto where = [&](std::size_t line) { return shownName + ':' + std::to_string(line) + ": "; };

    // Rows are reported while the list is read; the report goes out in pieces.
    constexpr std::size_t kReportPiece = std::size_t{64} * 1024;
    std::string report;
    ImportListener listener;
    listener.onProblem = [&](const ImportProblem &problem) {
        out.errorLine(where(problem.line) + TextOf(problem.reason));
    };
    listener.onHeader = [&](std::size_t line) { out.errorLine(where(line) + "another header row, skipped"); };
    if (dryRun) {
        listener.onRow = [&](const ImportRow &row) {
            const char *fate = row.fate == ImportRow::Fate::AlreadyPresent ? "already present " : "add ";
            report += where(row.line) + fate + quotedWords(row.record) + '\n';
            if (report.size() >= kReportPiece) {
                out.write(report);
                report.clear();
            }
        };
        listener.goOn = [&] { return !out.failed(); };
    }
    const ImportOutcome outcome =
        ImportWordList(UserDictionaryPath(command.appDir), wordListSource(fileName, fromStdin),
                       SeparatorsOfWordList(fileName), dryRun, listener);
    if (!outcome.note.empty())
        out.error(TextOf(outcome.note));
    if (!outcome.fileError.empty()) {
        out.write(report);
        out.error(TextOf(outcome.fileError));
        return kExitDataError;
    }

    if (outcome.problems > 0)
        out.error("nothing imported: " + std::to_string(outcome.problems) + " row(s) cannot be stored.");
    if (dryRun) {
        report += "Dry run: " + std::to_string(outcome.added) + " would be added, "
                  + std::to_string(outcome.alreadyPresent) + " already present; nothing was written.\n";
    } else if (outcome.stored) {
        out.wordsStored();
        report +=
            std::to_string(outcome.added) + " added, " + std::to_string(outcome.alreadyPresent) + " already present\n";
    }
    if (!out.write(report))
        return out.failure();
    return outcome.problems == 0 ? kExitOk : kExitDataError;
}

} // namespace trelvik::cli
