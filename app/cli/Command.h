#pragma once

#include "Arguments.h"
#include "Output.h"

#include <string>

namespace trelvik::cli {

// What a command is handed: the command line (its positionals start with the command's name), the application
// folder the start-up found, and the program's output.
struct Command {
    const Arguments &args;
    const std::string &appDir;
    Output &out;
};

// lookup [--no-user-dict] [--no-synonyms] [--forms] [--json] FROM TO [WORD]
int RunLookup(const Command &command);
// add RUSSIAN ENGLISH SWEDISH
int RunAdd(const Command &command);
// count
int RunCount(const Command &command);
// export [--format csv|tsv] [FILE]
int RunExport(const Command &command);
// import [--dry-run] FILE|-
int RunImport(const Command &command);
// export-dictionary [--format dict|stardict] [--with-user-dict] DIR
int RunExportDictionaryCommand(const Command &command);

// The message of a word argument that is not UTF-8.
inline constexpr const char *kNotUtf8 = "The text is not valid UTF-8.";

} // namespace trelvik::cli
