#pragma once
// The command line's table options: which columns hold what, the survey
// type, the inducing field and the values that mean missing.

#include <string>
#include <vector>

struct CommandLine;

// Takes --columns, --type, --field or --nodata at arguments[index] (and its
// value, advancing index past it). False when arguments[index] is none of
// them; a malformed value sets line.error.
bool takeTableOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index);

// The usage lines of the table options.
std::string tableUsageText();
