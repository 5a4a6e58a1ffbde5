#pragma once
// Writing a file so that a failure leaves the previous one as it was: the
// contents go to a temporary file beside the target, reach the disk, and
// only then replace the target.

#include <cstdio>
#include <functional>
#include <string>

namespace data {

// Writes the whole contents into an open file; false when a write failed.
using FileContents = std::function<bool(std::FILE* file)>;

// Writes `write`'s contents to a temporary file in `target`'s folder (with
// the target's permissions, when it exists) and renames it over `target`.
// Returns 0, or the errno of the step that failed (the temporary is removed).
int writeFileReplacing(const std::string& target, const FileContents& write);
// Writes `text` to `path` the same way; a symbolic link keeps pointing at
// the file it names. ENOENT for an empty path.
int writeFileReplacing(const std::string& path, const std::string& text);

} // namespace data
