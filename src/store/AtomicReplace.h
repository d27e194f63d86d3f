#pragma once
// Puts new content in place of a file so that the file always holds either its old or its new
// content: the content is written to a temporary file, made durable, renamed over the file in
// one step, and the folder is flushed so that the rename survives a crash as well.

#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

enum class ReplaceResult
{
    Done,      // the new content is in place and durable
    Unchanged, // failed; the file still holds its old content
    NotDurable // failed after the rename: the new content is in place but may not survive a crash
};

// The file that replacing path must rewrite: for a symbolic link its target, so that the link
// survives. Null when the path cannot be examined.
std::optional<std::string> ReplaceTarget(const std::string& path);

// Writes content to the temporary file, makes it durable and renames it over path. original is
// the status of the file being replaced (its permission bits are kept and its modification time
// is passed), or null when the file is created. Unless the rename happened, a failure leaves the
// file at path unchanged; the temporary file is gone in every case.
ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view content,
                                    const struct stat* original);

// Puts the old content back after a replace that could not be made durable (original as above:
// null when the replace created the file, which is then removed); true when the file holds its
// old content again.
bool RestoreFile(const std::string& path, std::string_view old, const struct stat* original);
