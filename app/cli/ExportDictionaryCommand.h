#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <string>

namespace trelvik {

// What a command leaves for trelvik-cli to print: standard output, the messages for standard error, and the
// exit status (2 with usage set: the first message is a usage error).
struct CommandReport {
    int exitCode = 0;
    bool usage = false;
    QString out;
    QStringList errors;
};

// trelvik-cli export-dictionary [--format dict|stardict] [--with-user-dict] DIR: writes the six dictionaries
// into DIR. args are the positional arguments (the command first), folder DIR's bytes as given.
CommandReport RunExportDictionary(const QStringList &args, const std::string &folder, const QCommandLineParser &parser,
                                  const std::string &appDir);

} // namespace trelvik
