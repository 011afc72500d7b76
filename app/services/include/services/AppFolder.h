#pragma once

#include "userdict/UserDictFile.h"

#include <string>

namespace trelvik {

// Makes a file-size limit fail the write that passes it ("File too large", reported like a full disk)
// instead of killing the program with SIGXFSZ, which would lose what the user typed.
void IgnoreFileSizeSignal();

// The folder the running executable lies in, without a trailing slash. Paths here are bytes as the file
// system gives them, which need not be UTF-8.
std::string ApplicationFolder();

// File that the installation puts into the application folder to mark it as an installed, shared copy.
inline constexpr char kInstalledMarker[] = "installed-copy";

// The user's own data folder for the program: $XDG_DATA_HOME/trelvik when XDG_DATA_HOME is an absolute
// path, otherwise ~/.local/share/trelvik, the home taken from HOME or, without it, from the password
// database. Not created here.
std::string UserDataFolder();

// Where the user dictionary is: "user.dct" in the application folder when that folder is writable and not an
// installed copy (a portable copy), otherwise the one in the user's data folder; but as long as that does not
// exist, a user.dct beside the program in a folder that cannot be written is the one read, so that its words
// are found.
std::string UserDictionaryPath(const std::string &appFolder);

// Before an add to the user dictionary at path: when path is a file in a folder that cannot be written (a
// portable copy on a read-only medium), path becomes the user dictionary in the user's data folder, which
// starts as a copy of the one at path (unless it exists already). note then tells the user where the words
// went; it is empty when nothing was copied.
UserDictResult UseWritableUserDictionary(std::string &path, std::string &note);

// When the application folder cannot be written and both its user.dct and the one in the user's data folder
// exist, the latter is the one used: the records of the former that it lacks are appended to it, so that the
// words of both are found. note then tells the user; it is empty when nothing was added. Each content of the
// former is joined once, and remembered in kJoinedPortableDictionaries, so that words the user deletes from
// the latter afterwards stay deleted.
UserDictResult MergePortableUserDictionary(const std::string &appFolder, std::string &note);

// The file in the user's data folder that lists the portable user dictionaries joined so far.
inline constexpr char kJoinedPortableDictionaries[] = "joined-portable-dictionaries";

// The first folder of the dictionary volumes (data/ru, data/en, data/sv) that is missing below the
// application folder, as a full path; empty when the three are there.
std::string MissingDictionaryFolder(const std::string &appFolder);

} // namespace trelvik
