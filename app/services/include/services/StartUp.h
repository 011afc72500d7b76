#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trelvik {

// What a start of the program or of trelvik-cli asks for.
struct StartUpRequest {
    std::optional<std::string> appDir; // an application folder given by the user (bytes), else the program's own
    bool needsDictionary = false;      // the volumes must be there: a missing folder is an error
    bool joinPortableWords = true;     // join a portable copy's words; a run that must write nothing says false
};

// What a start found.
struct StartUp {
    std::string error;                   // the start cannot go on, and why; nothing was written then
    std::string appDir;                  // the application folder, absolute, without a trailing slash
    std::string userDictPath;            // the user dictionary (UserDictionaryPath)
    std::string missingDictionaryFolder; // the first volume folder missing below appDir, or empty
    std::vector<std::string> notes;      // what to tell the user once, in order
    explicit operator bool() const noexcept { return error.empty(); }
};

// The one start-up routine of the program and trelvik-cli: makes a file-size limit fail a write instead of
// killing the program, finds the application folder, checks the volumes, joins the words of a portable copy's
// user dictionary (MergePortableUserDictionary) and finds the user dictionary.
StartUp StartProgram(const StartUpRequest &request);

} // namespace trelvik
