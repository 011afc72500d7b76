// trelvik-cli: the dictionary for scripts. It runs the same requests as the window's "Translate" and
// the add-words window's "Add", with words in UTF-8 converted to the dictionary's code pages at this edge.
// Each command has a unit of its own; this one reads the command line, starts the program and dispatches.

#include "Arguments.h"
#include "Command.h"
#include "Output.h"
#include "services/StartUp.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <string>
#include <unistd.h>

using namespace trelvik;
using namespace trelvik::cli;

namespace {

int run(int argc, char *argv[], Output &out)
{
    Arguments args;
    std::string error;
    if (!ParseArguments(argc, argv, args, error))
        return out.usage(error);
    if (args.help) {
        out.write(HelpText(args.program));
        return kExitOk;
    }
    if (args.version) {
        out.write("trelvik-cli " TRELVIK_VERSION "\n");
        return kExitOk;
    }
    if (args.positionals.empty())
        return out.usage("no command given.");

    // Messages of the system (why a file cannot be opened) come in the user's language and its characters;
    // nothing else the program does depends on the locale, and loading every category costs a lookup its
    // time.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    const std::string &name = args.positionals.front().text;
    StartUpRequest request;
    if (args.appDir)
        request.appDir = args.appDir->bytes;
    request.needsDictionary = name == "lookup" || name == "export-dictionary";
    // A dry run writes nothing at all.
    request.joinPortableWords = !(name == "import" && args.dryRun);
    const StartUp start = StartProgram(request);
    if (!start) {
        out.error(TextOf(start.error));
        return kExitDataError;
    }
    for (const std::string &note : start.notes)
        out.error(TextOf(note));
    const Command command{args, start.appDir, out};

    if (args.withUserDict && name != "export-dictionary")
        return out.usage("--with-user-dict goes with export-dictionary.");
    if (name == "lookup")
        return RunLookup(command);
    if (args.json || args.noUserDict || args.noSynonyms || args.forms)
        return out.usage("--json, --no-user-dict, --no-synonyms and --forms go with lookup.");
    if (name == "export-dictionary")
        return RunExportDictionaryCommand(command);
    if (args.format && name != "export")
        return out.usage("--format goes with export and export-dictionary.");
    if (args.dryRun && name != "import")
        return out.usage("--dry-run goes with import.");
    if (name == "export")
        return RunExport(command);
    if (name == "import")
        return RunImport(command);
    if (name == "add")
        return RunAdd(command);
    if (name == "count")
        return RunCount(command);
    return out.usage("unknown command '" + name + "'.");
}

} // namespace

int main(int argc, char *argv[])
{
    // A closed standard stream would hand its number to the next file opened, and output meant for the
    // terminal could land in the user dictionary: each gets /dev/null instead, and closed output counts as
    // failed output.
    int outputError = 0;
    for (const int fd : {0, 1, 2}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (fd == 1)
                outputError = EBADF;
        }
    }
    // A reader that goes away (export | head) makes the write fail, which is reported, rather than kill us.
    std::signal(SIGPIPE, SIG_IGN);
    Output out(outputError);
    int status = kExitOk;
    try {
        status = run(argc, argv, out);
    } catch (const std::bad_alloc &) {
        std::fputs("trelvik-cli: Out of memory.\n", stderr);
        return kExitDataError;
    }
    return out.finish(status);
}
