#pragma once
// Puts new content in place of a file so that the file always holds either its old or its new
// content: the content is written to a temporary file beside the file, made durable, renamed
// over the file in one step, and the folder is flushed so that the rename survives a crash too.
//
// For a symbolic link, the file replaced is the link's final target and the temporary file is
// written beside that target: the rename then never crosses file systems, and the link stays a
// link. A folder that cannot be flushed on its file system (fsync of a folder refused with
// EINVAL, ENOTSUP or EOPNOTSUPP, as on some network and shared folders) counts as flushed, since
// the file's own content is already durable; a real error (EIO) fails the replace.

#include <string>
#include <string_view>
#include <sys/stat.h>

enum class ReplaceResult
{
    Done,      // the new content is in place and durable
    Unchanged, // failed; the file still holds its old content
    NotDurable // failed after the rename: the new content is in place but may not survive a crash
};

struct ReplaceOutcome
{
    ReplaceResult result = ReplaceResult::Unchanged;
    int error = 0; // the system's reason (an errno value) when not Done
};

// Writes all of data to the open file, going on after interrupted writes; 0, or the system's
// reason (an errno value) for the failure.
int WriteAll(int fd, std::string_view data);

// Makes the renames and new files in dir durable (fsync of the folder); 0, or the system's
// reason. A file system that cannot flush a folder at all counts as done.
int SyncDirectory(const std::string& dir);

// The file that a replace of path rewrites: the path itself, or for a symbolic link its final
// target, so that the link survives. When the path cannot be examined, the path is empty and
// error holds the system's reason.
struct ReplaceTarget
{
    std::string path;
    int error = 0;
};
ReplaceTarget FindReplaceTarget(const std::string& path);

// The name of the temporary file that a replace writes first, beside the file it replaces.
inline constexpr const char* kTempFileName = "~tempfile";

// The temporary file that replacing path writes first: kTempFileName in path's folder.
std::string TempPathFor(const std::string& path);

// Writes content to the temporary file, makes it durable and renames it over path (a target
// from FindReplaceTarget). original is the status of the file being replaced (its permission
// bits are kept and its modification time is passed), or null when the file is created. Unless
// the rename happened, a failure leaves the file at path unchanged. A temporary file left by an
// interrupted edit is removed first, and the temporary file is gone in every case.
ReplaceOutcome ReplaceFileAtomically(const std::string& path, std::string_view content,
                                     const struct stat* original);

// Puts the old content back after a replace that could not be made durable (original as above:
// null when the replace created the file, which is then removed); true when the file holds its
// old content again.
bool RestoreFile(const std::string& path, std::string_view old, const struct stat* original);
