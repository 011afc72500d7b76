#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace trelvik {

// What a command leaves for trelvik-cli to print: standard output, the messages for standard error, and the
// exit status (2 with usage set: the first message is a usage error). Texts are bytes as the file system and
// the messages give them, to be shown as the CLI shows messages.
struct CommandReport {
    int exitCode = 0;
    bool usage = false;
    std::string out;
    std::vector<std::string> errors;
};

// What export-dictionary was given on the command line.
struct ExportDictionaryArguments {
    std::size_t positionals = 0;       // the arguments that are no option, the command included
    std::string folder;                // DIR's bytes as given
    std::optional<std::string> format; // the value of --format, when given
    bool withUserDict = false;         // --with-user-dict
    bool dryRun = false;               // --dry-run, which belongs to import
};

// trelvik-cli export-dictionary [--format dict|stardict] [--with-user-dict] DIR: writes the six dictionaries
// into DIR; programName ("trelvik-cli 2.0") goes into their information entries.
CommandReport RunExportDictionary(const ExportDictionaryArguments &args, const std::string &appDir,
                                  const std::string &programName);

} // namespace trelvik
