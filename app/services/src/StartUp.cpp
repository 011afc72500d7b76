#include "services/StartUp.h"

#include "services/AppFolder.h"
#include "userdict/UserDictFile.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace trelvik {

namespace {

// A folder the user named, made absolute (relative to the current folder) and without trailing slashes.
std::string absoluteFolder(std::string folder)
{
    if (folder.empty() || folder.front() != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd))
            folder = std::string(cwd) + '/' + folder;
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

StartUp StartProgram(const StartUpRequest &request)
{
    IgnoreFileSizeSignal();
    StartUp start;
    start.appDir = request.appDir ? absoluteFolder(*request.appDir) : ApplicationFolder();
    struct stat st {};
    if (request.appDir && (::stat(start.appDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        start.error = start.appDir + " is not a folder.";
        return start;
    }
    // Without its volumes every lookup would say "not present"; the user's own words need no volumes, so that
    // they can be counted, added and taken out of a broken installation.
    start.missingDictionaryFolder = MissingDictionaryFolder(start.appDir);
    if (request.needsDictionary && !start.missingDictionaryFolder.empty()) {
        start.error = "no dictionary in " + start.appDir + ": " + start.missingDictionaryFolder + " is not a folder";
        return start;
    }
    // Before anything else, so that the words beside a read-only program are in the dictionary it uses.
    if (request.joinPortableWords) {
        std::string note;
        const UserDictResult merged = MergePortableUserDictionary(start.appDir, note);
        if (!merged || !note.empty())
            start.notes.push_back(merged ? note : merged.error);
    }
    start.userDictPath = UserDictionaryPath(start.appDir);
    return start;
}

} // namespace trelvik
