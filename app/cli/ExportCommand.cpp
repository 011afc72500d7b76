// trelvik-cli export: the user dictionary as a CSV or TSV word list, into a file or onto standard output.

#include "Command.h"

#include "base/FileIO.h"
#include "services/AppFolder.h"
#include "userdict/UserDictFile.h"
#include "userdict/WordList.h"
#include "userdict/WordListExport.h"

#include <optional>
#include <sys/stat.h>

namespace trelvik::cli {

namespace {

std::optional<WordListFormat> formatOfName(std::string_view name)
{
    if (name == "csv")
        return WordListFormat::Csv;
    if (name == "tsv")
        return WordListFormat::Tsv;
    return std::nullopt;
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

} // namespace

int RunExport(const Command &command)
{
    const std::vector<Argument> &args = command.args.positionals;
    Output &out = command.out;
    if (args.size() > 2)
        return out.usage("export takes at most one FILE.");
    const std::string file = args.size() == 2 ? args[1].text : std::string();
    const std::string fileName = args.size() == 2 ? args[1].bytes : std::string();
    // Without --format, a FILE named *.tsv or *.tab gets TSV, anything else CSV.
    std::optional<WordListFormat> format =
        SeparatorsOfWordList(fileName) == "\t" ? WordListFormat::Tsv : WordListFormat::Csv;
    if (command.args.format) {
        format = formatOfName(command.args.format->text);
        if (!format)
            return out.usage("--format is csv or tsv.");
    }

    ExportedWords exported;
    const UserDictResult result = ExportUserDict(UserDictionaryPath(command.appDir), *format, exported);
    if (!result) {
        out.error(TextOf(result.error));
        return kExitDataError;
    }
    if (exported.leftOut > 0)
        out.error(std::to_string(exported.leftOut) + " record(s) of three empty words left out.");
    // A record UTF-8 cannot hold would not come back from the list: it is named, and the export fails.
    for (const std::string &refusal : exported.refused)
        out.error(TextOf(refusal));
    const int status = exported.refused.empty() ? kExitOk : kExitDataError;

    if (file.empty() || file == "-") {
        if (!out.write(exported.text))
            return out.failure();
        return status;
    }
    if (holdsUserDictionary(fileName, command.appDir)) {
        out.error(file + " holds a user dictionary; export writes word lists to another file.");
        return kExitDataError;
    }
    std::string error;
    RemoveAbandonedTemporaries(fileName);
    if (!ReplaceFileAtomically(fileName, exported.text, error)) {
        out.error(TextOf(error));
        return kExitDataError;
    }
    out.write(std::to_string(exported.records) + " record(s) written to " + file + "\n");
    return status;
}

} // namespace trelvik::cli
