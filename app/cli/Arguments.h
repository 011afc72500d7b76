#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trelvik::cli {

// One argument as the program received it and as the text it shows.
struct Argument {
    std::string bytes; // as given: a file name need not be UTF-8
    std::string text;  // as TextOf reads it
    bool utf8 = true;  // whether bytes are UTF-8
};

// The command line: the options every command may carry and the arguments that are no option, in order.
struct Arguments {
    std::string program; // how the program was called, for the usage line
    std::vector<Argument> positionals;
    bool help = false;
    bool version = false;
    bool json = false;
    bool noUserDict = false;
    bool noSynonyms = false;
    bool forms = false;
    bool withUserDict = false;
    bool dryRun = false;
    std::optional<Argument> appDir; // the last --app-dir
    std::optional<Argument> format; // the last --format
};

// Reads the command line. Options may stand anywhere before "--"; a value follows its option as the next
// argument or after "=". Returns false with the usage error in error when an option is unknown, lacks its value
// or has one it does not take.
bool ParseArguments(int argc, const char *const argv[], Arguments &arguments, std::string &error);

// What --help prints.
std::string HelpText(const std::string &program);

} // namespace trelvik::cli
