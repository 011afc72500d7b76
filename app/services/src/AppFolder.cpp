#include "services/AppFolder.h"

#include "base/FileIO.h"

#include <algorithm>
#include <array>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <errno.h>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace trelvik {

namespace {

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool isFolder(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// access() asks the kernel, so read-only mounts and ACLs count, not just the mode bits.
bool isWritableFolder(const std::string &path)
{
    return ::access(path.c_str(), W_OK) == 0;
}

// A portable dictionary as the list of joined ones names it: its size and a 64-bit FNV-1a hash of its bytes.
std::string fingerprintOf(std::string_view bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%016llx %zu", static_cast<unsigned long long>(hash), bytes.size());
    return text;
}

bool isListed(std::string_view list, std::string_view line)
{
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = std::min(list.find('\n', at), list.size());
        if (list.substr(at, end - at) == line)
            return true;
        at = end + 1;
    }
    return false;
}

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *entry = ::getpwuid(::geteuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

} // namespace

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string ApplicationFolder()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0)
        return FolderOf(std::string(buffer, static_cast<std::size_t>(n)));
    // Without /proc the name the program was started by still tells its folder, when it holds one.
    std::string started = program_invocation_name ? program_invocation_name : "";
    if (started.find('/') == std::string::npos)
        return ".";
    if (started.front() != '/' && ::getcwd(buffer, sizeof buffer))
        started = std::string(buffer) + '/' + started;
    return FolderOf(started);
}

std::string UserDataFolder()
{
    // The base directory rules: a relative XDG_DATA_HOME is invalid and ignored.
    const char *xdg = std::getenv("XDG_DATA_HOME");
    const std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : homeFolder() + "/.local/share";
    return withoutTrailingSlashes(base) + "/trelvik";
}

std::string UserDictionaryPath(const std::string &appFolder)
{
    const std::string folder = withoutTrailingSlashes(appFolder);
    std::string beside = folder + "/user.dct";
    // An installed copy carries a marker, so that even root, who may write anywhere, keeps words out of the
    // system folders.
    if (PathExists(folder + '/' + kInstalledMarker))
        return UserDataFolder() + "/user.dct";
    if (isWritableFolder(folder))
        return beside;
    const std::string own = UserDataFolder() + "/user.dct";
    return !PathExists(own) && PathExists(beside) ? beside : own;
}

UserDictResult UseWritableUserDictionary(std::string &path, std::string &note)
{
    note.clear();
    // Only a dictionary that is there, in a folder that is there but refuses writes, moves; any other
    // trouble is for the add to report.
    const std::string folder = FolderOf(path);
    if (!PathExists(path) || !isFolder(folder) || isWritableFolder(folder))
        return {};
    const std::string own = UserDataFolder() + "/user.dct";
    if (own == path)
        return {};
    bool copied = false;
    if (UserDictResult result = CopyUserDictIfMissing(path, own, copied); !result)
        return result;
    if (copied)
        note = "The words of " + path + " were copied to " + own + ", where new words are added from now on.";
    path = own;
    return {};
}

UserDictResult MergePortableUserDictionary(const std::string &appFolder, std::string &note)
{
    note.clear();
    const std::string folder = withoutTrailingSlashes(appFolder);
    const std::string beside = folder + "/user.dct";
    const std::string own = UserDataFolder() + "/user.dct";
    if (PathExists(folder + '/' + kInstalledMarker) || isWritableFolder(folder) || !PathExists(beside)
        || !PathExists(own) || ResolvedPath(beside) == ResolvedPath(own))
        return {};
    // The words are joined once: a word the user deletes afterwards stays deleted. Only a portable dictionary
    // that has changed since (written elsewhere) is joined again.
    std::string bytes;
    std::string error;
    if (ReadWholeFile(beside, /*createIfMissing=*/false, bytes, &error) != ReadStatus::Ok)
        return UserDictResult{false, error};
    const std::string joinedList = UserDataFolder() + "/" + kJoinedPortableDictionaries;
    const std::string fingerprint = fingerprintOf(bytes);
    std::string joined;
    if (ReadWholeFile(joinedList, /*createIfMissing=*/false, joined) == ReadStatus::Ok && isListed(joined, fingerprint))
        return {};
    UserTable portable;
    std::size_t emptyRecords = 0;
    if (UserDictResult read = ReadEveryUserRecord(beside, portable, emptyRecords); !read)
        return read;
    // What the data folder copy lacks is decided under the writers' lock, so that two programs starting at
    // once add the words only once.
    std::size_t added = 0;
    const auto lacking = [&added](const UserTable &present, std::vector<UserRecord> &records) {
        const std::set<Triple> known(present.begin(), present.end());
        records.erase(std::remove_if(records.begin(), records.end(),
                                     [&known](const UserRecord &record) { return known.count(record) != 0; }),
                      records.end());
        added = records.size();
    };
    std::int32_t count = 0;
    UserTable present;
    if (UserDictResult merged = AddUserRecords(own, count, present, std::move(portable), lacking); !merged)
        return merged;
    // Remembered only once the words are safely joined. Should that fail, the next start joins again, as
    // every start did before; nothing is lost either way.
    ReplaceFileAtomically(joinedList, joined + fingerprint + "\n", error);
    if (added == 0)
        return {};
    note = "The words of " + beside + " were added to " + own + ", where new words are added from now on.";
    return {};
}

std::string MissingDictionaryFolder(const std::string &appFolder)
{
    for (const char *language : {"ru", "en", "sv"}) {
        std::string folder = withoutTrailingSlashes(appFolder) + "/data/" + language;
        if (!isFolder(folder))
            return folder;
    }
    return {};
}

} // namespace trelvik
