#include "base/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trelvik {

namespace {

std::string describe(const std::string &what, const std::string &path, int err)
{
    return what + " " + path + ": " + std::strerror(err);
}

// Closes a descriptor when it goes out of scope.
class FdGuard {
public:
    explicit FdGuard(int fd) noexcept : m_fd(fd) {}
    FdGuard(const FdGuard &) = delete;
    FdGuard &operator=(const FdGuard &) = delete;
    ~FdGuard() { reset(); }
    int get() const noexcept { return m_fd; }
    int release() noexcept
    {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset() noexcept
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

constexpr std::string_view kTempInfix = ".tmp-";
constexpr std::size_t kTempSuffixSize = 6; // the XXXXXX of mkstemp

} // namespace

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool PathExists(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool EnsureFolderOf(const std::string &path, std::string &errorText)
{
    const std::string folder = FolderOf(path);
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        return true; // what is in the folder's place is for the open or the write to report
    if (errno != ENOENT) {
        errorText = describe("Cannot create folder", folder, errno);
        return false;
    }
    if (folder != "." && folder != "/" && !EnsureFolderOf(folder, errorText))
        return false;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        errorText = describe("Cannot create folder", folder, errno);
        return false;
    }
    return true;
}

std::string ResolvedPath(const std::string &path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    if (errno != ENOENT)
        return path;
    // A link to a file that is not there yet names that file: a replacement of the link itself would cut it.
    // realpath has failed with ENOENT, not ELOOP, so the links come to an end.
    std::string name = path;
    for (;;) {
        const ssize_t n = ::readlink(name.c_str(), resolved, sizeof resolved - 1);
        if (n <= 0)
            break;
        const std::string target(resolved, static_cast<std::size_t>(n));
        name = target.front() == '/' ? target : FolderOf(name) + '/' + target;
    }
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos || slash + 1 == name.size())
        return name;
    if (!::realpath(FolderOf(name).c_str(), resolved))
        return name;
    std::string folder(resolved);
    if (folder.back() != '/')
        folder += '/';
    return folder + name.substr(slash + 1);
}

namespace {

// Opens a file for reading (creating it empty when asked) and makes sure it is a regular file; fills size.
// Returns -1 after saying why in errorText.
int openRegularFile(const std::string &path, bool createIfMissing, std::string *errorText, std::size_t &size)
{
    // Without O_NONBLOCK, opening a named pipe put in a file's place would wait forever for a writer;
    // a regular file ignores the flag.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && errno == ENOENT && createIfMissing)
        fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) {
        if (errorText)
            *errorText = describe("Cannot open", path, errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (errorText)
            *errorText = "Cannot read " + path + ": not a regular file";
        return -1;
    }
    size = static_cast<std::size_t>(st.st_size);
    return fd;
}

// openRegularFile for a file that is read whole: one larger than kMaxDataFileBytes is refused before reading.
int openFileOfAtMostMaxSize(const std::string &path, bool createIfMissing, std::string *errorText, std::size_t &size)
{
    const int fd = openRegularFile(path, createIfMissing, errorText, size);
    if (fd >= 0 && size > kMaxDataFileBytes) {
        ::close(fd);
        if (errorText)
            *errorText = "Cannot read " + path + ": the file is too large";
        return -1;
    }
    return fd;
}

// Reads into bytes[from, bytes.size()), stopping early at the end of the file (bytes is cut to what was
// read). False after saying why in errorText.
bool readInto(int fd, const std::string &path, std::string &bytes, std::size_t from, std::string *errorText)
{
    std::size_t got = from;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            bytes.clear();
            if (errorText)
                *errorText = describe("Cannot read", path, err);
            return false;
        }
        if (n == 0)
            break; // the file shrank while we read it
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

// Creates the temporary file that a replacement of target writes first, and locks it, so that a cleaner can
// tell it from the leftover of a writer that was killed (whose lock died with it). Returns the descriptor, or
// -1 with errno set. A cleaner may remove the file between its creation and the lock; then another is made.
int createLockedTemporary(const std::string &target, std::string &temp)
{
    for (int attempt = 0;; ++attempt) {
        temp = target + std::string(kTempInfix) + std::string(kTempSuffixSize, 'X');
        const int fd = ::mkstemp(temp.data());
        if (fd < 0)
            return -1;
        struct stat mine {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 && ::stat(temp.c_str(), &named) == 0
            && mine.st_ino == named.st_ino && mine.st_dev == named.st_dev)
            return fd;
        const int err = errno;
        ::close(fd);
        if (attempt == 3) {
            errno = err == 0 ? EAGAIN : err;
            return -1;
        }
    }
}

} // namespace

ReadStatus ReadWholeFile(const std::string &path, bool createIfMissing, std::string &bytes, std::string *errorText,
                         std::size_t maxBytes)
{
    bytes.clear();
    std::size_t size = 0;
    const int fd = openFileOfAtMostMaxSize(path, createIfMissing, errorText, size);
    if (fd < 0)
        return ReadStatus::Unavailable;
    FdGuard guard(fd);
    bytes.resize(std::min(size, maxBytes));
    return readInto(fd, path, bytes, 0, errorText) ? ReadStatus::Ok : ReadStatus::Unavailable;
}

ReadStatus ReadFileHead(const std::string &path, bool createIfMissing, std::string &bytes,
                        const std::function<bool(std::string_view)> &enough, std::string *errorText)
{
    constexpr std::size_t kFirstPiece = std::size_t{64} * 1024;
    bytes.clear();
    std::size_t size = 0;
    const int fd = openRegularFile(path, createIfMissing, errorText, size);
    if (fd < 0)
        return ReadStatus::Unavailable;
    FdGuard guard(fd);
    size = std::min(size, kMaxDataFileBytes);

    for (std::size_t want = std::min(size, kFirstPiece);; want = std::min(size, want * 2)) {
        const std::size_t from = bytes.size();
        bytes.resize(want);
        if (!readInto(fd, path, bytes, from, errorText))
            return ReadStatus::Unavailable;
        if (bytes.size() < want || bytes.size() == size || enough(bytes))
            return ReadStatus::Ok;
    }
}

bool ReplaceFileAtomically(const std::string &path, const std::string &bytes, std::string &errorText)
{
    return ReplaceFileAtomically(path, {std::string_view(bytes)}, errorText);
}

bool ReplaceFileAtomically(const std::string &path, std::initializer_list<std::string_view> pieces,
                           std::string &errorText)
{
    const std::string target = ResolvedPath(path);

    mode_t mode = 0666;
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode)) {
            errorText = "Cannot write " + path + ": not a regular file";
            return false;
        }
        // The folder may allow the rename even where the file itself is read-only: the file's mode decides,
        // also for root, who could write it anyway.
        if ((st.st_mode & 0222) == 0) {
            errorText = describe("Cannot write", path, EACCES);
            return false;
        }
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            errorText = describe("Cannot write", path, errno);
            return false;
        }
        mode = st.st_mode & 07777;
    }

    const std::string folder = FolderOf(target);
    std::string temp;
    const int fd = createLockedTemporary(target, temp);
    if (fd < 0) {
        errorText = describe("Cannot write", path, errno);
        return false;
    }
    FdGuard guard(fd);
    // The lock lives as long as any descriptor of the file is open: this one keeps it until the rename is done.
    FdGuard lockHolder(::dup(fd));

    // Root replacing someone else's file hands the new one back to its owner; anyone else may only have
    // written it in place because its mode allows, and keeps the ownership the folder gives.
    if (exists && ::geteuid() == 0 && (st.st_uid != 0 || st.st_gid != 0) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        const int chownErr = errno;
        guard.reset();
        ::unlink(temp.c_str());
        errorText = describe("Cannot write", path, chownErr);
        return false;
    }

    int err = 0;
    bool written = true;
    for (const std::string_view piece : pieces)
        written = written && WriteAll(fd, piece);
    if (!written || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        err = errno;
    if (err == 0 && ::close(guard.release()) != 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        guard.reset();
        ::unlink(temp.c_str());
        errorText = describe("Cannot write", path, err);
        return false;
    }

    // Make the rename itself durable; failing to sync the folder does not undo the write.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

namespace {

// Calls remove(folder descriptor, name) for every temporary file that a replacement of path may have left.
template <typename Remove> void forEachTemporary(const std::string &path, Remove &&remove)
{
    const std::string target = ResolvedPath(path);
    const std::string folder = FolderOf(target);
    const std::string prefix = target.substr(target.find_last_of('/') + 1) + std::string(kTempInfix);
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() == prefix.size() + kTempSuffixSize && name.substr(0, prefix.size()) == prefix)
            remove(::dirfd(dir), entry->d_name);
    }
    ::closedir(dir);
}

} // namespace

void RemoveStaleTemporaries(const std::string &path)
{
    forEachTemporary(path, [](int folder, const char *name) { ::unlinkat(folder, name, 0); });
}

void RemoveAbandonedTemporaries(const std::string &path)
{
    forEachTemporary(path, [](int folder, const char *name) {
        const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            return;
        FdGuard guard(fd);
        struct stat opened {};
        struct stat named {};
        // A writer at work holds the lock; so does one that has just renamed the file away, until it returns.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
            && opened.st_uid == ::geteuid() && ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0
            && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
            ::unlinkat(folder, name, 0);
    });
}

namespace {

std::string sizeText(std::size_t bytes)
{
    constexpr std::size_t kGiB = std::size_t{1} << 30;
    return bytes % kGiB == 0 ? std::to_string(bytes / kGiB) + " GiB" : std::to_string(bytes) + " bytes";
}

} // namespace

ReadStatus ReadStreamInPieces(int fd, const std::string &name, std::size_t maxBytes,
                              const std::function<bool(std::string_view)> &take, std::string *errorText)
{
    constexpr std::size_t kPiece = std::size_t{256} * 1024;
    std::string piece(kPiece, '\0');
    std::size_t total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errorText)
                *errorText = describe("Cannot read", name, errno);
            return ReadStatus::Unavailable;
        }
        if (n == 0)
            return ReadStatus::Ok;
        total += static_cast<std::size_t>(n);
        if (total > maxBytes) {
            if (errorText)
                *errorText = "Cannot read " + name + ": it holds more than " + sizeText(maxBytes);
            return ReadStatus::Unavailable;
        }
        if (!take(std::string_view(piece.data(), static_cast<std::size_t>(n))))
            return ReadStatus::Ok;
    }
}

ReadStatus ReadFileInPieces(const std::string &path, const std::function<bool(std::string_view)> &take,
                            std::string *errorText)
{
    std::size_t size = 0;
    const int fd = openFileOfAtMostMaxSize(path, /*createIfMissing=*/false, errorText, size);
    if (fd < 0)
        return ReadStatus::Unavailable;
    FdGuard guard(fd);
    return ReadStreamInPieces(fd, path, kMaxDataFileBytes, take, errorText);
}

} // namespace trelvik
