#pragma once
// The command line's coordinate options: the data's coordinate system and
// the one to project them into.

#include <string>
#include <vector>

struct CommandLine;

// Takes --crs or --to-crs at arguments[index] (and its value, advancing
// index past it). False when arguments[index] is neither; a missing value
// sets line.error.
bool takeCoordinateOption(CommandLine& line, const std::vector<std::string>& arguments,
                          size_t& index);

// The usage lines of the coordinate options.
std::string coordinateUsageText();
