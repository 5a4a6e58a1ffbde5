#pragma once
// Writing a whole file so that a failure or an interruption never loses,
// misplaces or replaces anything:
// - a regular file is written to a temporary file beside it, which is
//   renamed over it once every byte reached the disk (then the folder is
//   synced); the file keeps its permission bits and, where allowed, its
//   owner and group; a symbolic link survives and its target is replaced;
// - a regular file that cannot be replaced that way (more than one hard
//   link, a folder without write permission, an owner or group the
//   temporary cannot take) is overwritten in place once the complete new
//   content exists;
// - an existing target that is not a regular file (a pipe, a device,
//   /dev/stdout) is opened and written directly; a directory is refused;
// - an existing file that the user may not write is refused;
// - the temporary file is removed when the save fails or the process gets
//   SIGINT, SIGTERM, SIGHUP or SIGXFSZ, and a successful save removes the
//   temporaries that interrupted saves of the same target left behind.

#include <cstdio>
#include <functional>
#include <string>

namespace data {

// Writes the whole content to `file`; returns false when a write failed
// (errno then tells why, when the C library set it).
using ContentWriter = std::function<bool(std::FILE* file)>;

// Writes the file at `path` with the content that `writeContent` produces.
// Returns 0 on success, otherwise the errno of the step that failed (EACCES
// for a file the user may not write, EISDIR for a directory); the previous
// file is then left as it was.
int saveFileSafely(const std::string& path, const ContentWriter& writeContent);

// Saves `text` as the whole file at `path` in the same way; ENOENT for an
// empty path.
int saveTextSafely(const std::string& path, const std::string& text);

// The message for a save of `path` that failed with `cause` (an errno):
// "Access to <path> was denied." or "Error: <path>\ncould not be saved: <cause>."
std::string saveFailureText(const std::string& path, int cause);

} // namespace data
