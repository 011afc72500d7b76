#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace trelvik {

// The folder an export writes into. Every file is written through the folder itself, never through a path:
// a new file is made under a temporary name that did not exist, flushed to disk and renamed over its final
// name, so a reader sees the old file or the whole new one, and a symbolic link planted in the folder (at a
// file's name or at a temporary one) is replaced or refused, never followed out of it. The folder itself may
// be a link the user names.
class ExportFolder {
public:
    // Opens the folder at path, creating it and missing folders above it. Fails, with a message that names
    // path, when something other than a folder is there or it cannot be made or opened.
    static std::unique_ptr<ExportFolder> open(const std::string &path, std::string &error);

    ExportFolder(const ExportFolder &) = delete;
    ExportFolder &operator=(const ExportFolder &) = delete;
    ~ExportFolder();

    // Opens the folder name inside this one, creating it where missing. A link at name is refused, never
    // followed, and so is anything else that is not a folder.
    std::unique_ptr<ExportFolder> subfolder(std::string_view name, std::string &error);

    // Replaces the file name (a plain name, no slash) in the folder with bytes, atomically; new files may be
    // read by everyone the umask allows, as a DICT server running as its own user must.
    bool replaceFile(std::string_view name, std::string_view bytes, std::string &error);

    // Removes the file name from the folder when it is there (a link is removed, not followed).
    bool removeFile(std::string_view name, std::string &error);

    // Makes the renames durable.
    bool sync(std::string &error);

private:
    ExportFolder(int fd, std::string path) noexcept : m_fd(fd), m_path(std::move(path)) {}

    std::string describe(std::string_view what, std::string_view name, int err) const;

    int m_fd;
    std::string m_path;
};

} // namespace trelvik
