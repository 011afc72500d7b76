#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace trelvik {

// Outcome of reading a whole data file.
enum class ReadStatus {
    Ok,          // the file was read (it may be empty)
    Unavailable, // missing and could not be created, not a regular file, unreadable, or too large
};

// Files larger than this are treated as unreadable rather than read into memory.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{1} << 30;

// Reads a whole file into bytes with one read, or only its first maxBytes bytes. A missing file is created
// empty when createIfMissing is set (and the folder allows it). On Unavailable, bytes is empty and errorText
// (if given) says why.
ReadStatus ReadWholeFile(const std::string &path, bool createIfMissing, std::string &bytes,
                         std::string *errorText = nullptr, std::size_t maxBytes = kMaxDataFileBytes);

// Reads the start of a file into bytes, in pieces that grow, until enough(bytes) says that what was read
// suffices or the file (or kMaxDataFileBytes of it) is read: a reader that needs only the head of a huge
// file costs what the head costs. Opens, creates and fails as ReadWholeFile does, but no file is too large.
ReadStatus ReadFileHead(const std::string &path, bool createIfMissing, std::string &bytes,
                        const std::function<bool(std::string_view)> &enough, std::string *errorText = nullptr);

// Replaces the file at path with bytes so that, whatever happens (a crash, a full disk), the file is either
// its old complete self or the new complete content. An existing file keeps its permissions and owner, and
// one that may not be written (no write permission, or none for anyone) is refused rather than replaced.
// Returns false and fills errorText on failure.
bool ReplaceFileAtomically(const std::string &path, const std::string &bytes, std::string &errorText);

// The same for content in pieces, written one after the other, which need not be joined in memory first.
bool ReplaceFileAtomically(const std::string &path, std::initializer_list<std::string_view> pieces,
                           std::string &errorText);

// Writes all of bytes to the descriptor, going on after interrupted and partial writes; false (errno set) on
// failure.
bool WriteAll(int fd, std::string_view bytes);

// The folder that path lies in: "." for a bare name, "/" for a name right below the root.
std::string FolderOf(const std::string &path);

// Whether anything (a file, a folder, a link that leads somewhere) is at path.
bool PathExists(const std::string &path);

// Creates the folder that path lies in, and the folders above it, where they are missing (new folders are
// private to the user). Returns false and fills errorText ("Cannot create folder ...: <reason>") when one
// cannot be created.
bool EnsureFolderOf(const std::string &path, std::string &errorText);

// The file that path names once symbolic links are followed: where a replacement writes, and what writers
// of path must lock. For a missing file, its folder is resolved.
std::string ResolvedPath(const std::string &path);

// Removes the temporary files that ReplaceFileAtomically leaves beside path when its process is killed
// before the rename. Only safe while no other writer of path is at work, that is, under the writers' lock.
void RemoveStaleTemporaries(const std::string &path);

// Removes the temporary files beside path that ReplaceFileAtomically left when its process was killed, and
// only those: a writer holds a lock on its temporary file until it has renamed it. Safe at any time.
void RemoveAbandonedTemporaries(const std::string &path);

// Reads an open descriptor (a pipe, a terminal, a file) to its end in pieces, handing each to take, which
// returns false to stop early. Fails, saying why in errorText ("Cannot read NAME: ..."), on a read error or
// once more than maxBytes have come; the pieces handed on before then were read.
ReadStatus ReadStreamInPieces(int fd, const std::string &name, std::size_t maxBytes,
                              const std::function<bool(std::string_view)> &take, std::string *errorText = nullptr);

// Reads a regular file in pieces as ReadStreamInPieces does, without creating it, and refuses a file larger
// than kMaxDataFileBytes before reading any of it, as ReadWholeFile does.
ReadStatus ReadFileInPieces(const std::string &path, const std::function<bool(std::string_view)> &take,
                            std::string *errorText = nullptr);

} // namespace trelvik
