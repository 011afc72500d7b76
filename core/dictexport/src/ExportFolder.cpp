#include "dictexport/ExportFolder.h"

#include "base/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace trelvik {

namespace {

// Creates the folder at path and the missing ones above it, as mkdir -p does.
int makeFolders(const std::string &path)
{
    if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return 0;
    if (errno != ENOENT)
        return errno;
    const std::string parent = FolderOf(path);
    if (parent == path || parent == "." || parent == "/")
        return ENOENT;
    if (const int err = makeFolders(parent); err != 0)
        return err;
    return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

std::string temporaryName(std::string_view name)
{
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string temp = "." + std::string(name) + ".tmp-";
    for (int i = 0; i < 8; ++i)
        temp += kLetters[random() % (sizeof kLetters - 1)];
    return temp;
}

} // namespace

std::unique_ptr<ExportFolder> ExportFolder::open(const std::string &path, std::string &error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        if (const int err = makeFolders(path); err != 0) {
            error = "Cannot create folder " + path + ": " + std::strerror(err);
            return nullptr;
        }
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (fd < 0) {
        error = errno == ENOTDIR ? path + " is not a folder." : "Cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<ExportFolder>(new ExportFolder(fd, path));
}

std::unique_ptr<ExportFolder> ExportFolder::subfolder(std::string_view name, std::string &error)
{
    const std::string sub(name);
    const std::string path = m_path + "/" + sub;
    if (::mkdirat(m_fd, sub.c_str(), 0777) != 0 && errno != EEXIST) {
        error = "Cannot create folder " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    const int fd = ::openat(m_fd, sub.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        struct stat st {};
        if (::fstatat(m_fd, sub.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
            error = path + " is a symbolic link: the export writes only into folders of its own.";
        else
            error = errno == ENOTDIR ? path + " is not a folder." : "Cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<ExportFolder>(new ExportFolder(fd, path));
}

ExportFolder::~ExportFolder()
{
    ::close(m_fd);
}

std::string ExportFolder::describe(std::string_view what, std::string_view name, int err) const
{
    return std::string(what) + " " + m_path + "/" + std::string(name) + ": " + std::strerror(err);
}

bool ExportFolder::replaceFile(std::string_view name, std::string_view bytes, std::string &error)
{
    std::string temp;
    int fd = -1;
    // O_EXCL refuses anything already at the name, a link included; another name is tried then.
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = temporaryName(name);
        fd = ::openat(m_fd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            error = describe("Cannot write", name, errno);
            return false;
        }
    }
    if (fd < 0) {
        error = describe("Cannot write", name, EEXIST);
        return false;
    }
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    // renameat replaces whatever is at the name, a link included, and never follows it.
    if (err == 0 && ::renameat(m_fd, temp.c_str(), m_fd, std::string(name).c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlinkat(m_fd, temp.c_str(), 0);
        error = describe("Cannot write", name, err);
        return false;
    }
    return true;
}

bool ExportFolder::removeFile(std::string_view name, std::string &error)
{
    if (::unlinkat(m_fd, std::string(name).c_str(), 0) == 0 || errno == ENOENT)
        return true;
    error = describe("Cannot remove", name, errno);
    return false;
}

bool ExportFolder::sync(std::string &error)
{
    if (::fsync(m_fd) == 0)
        return true;
    error = "Cannot write " + m_path + ": " + std::strerror(errno);
    return false;
}

} // namespace trelvik
