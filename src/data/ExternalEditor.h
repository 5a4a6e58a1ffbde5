#pragma once
// Starting a text editor on the observation file, as a separate program that
// the viewer neither waits for nor watches.

#include <string>

namespace data {

// The editor to start: the program named by the environment variable
// TESKADAT_EDITOR when it is set and not empty (a name or a path, used whole,
// not split into words), otherwise the first of the usual desktop text
// editors found on the PATH, otherwise "xdg-open".
std::string editorProgram();

// Where `program` would be executed from: a name containing a slash as it
// is, otherwise the first executable regular file of that name in the PATH
// folders. Empty when there is none.
std::string findExecutable(const std::string& program);

// Starts `program` with `argument` as its one argument (never split, never
// quoted) in a session of its own, without waiting for it. False when the
// program could not be found or started.
bool startDetached(const std::string& program, const std::string& argument);

// Starts editorProgram() on `path`, made absolute (relative to the current
// folder, where the editor starts too); "<program> not found." with the stop
// icon when it cannot be started.
bool openInTextEditor(const std::string& path);

} // namespace data
