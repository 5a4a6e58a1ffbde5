#pragma once
// printf-style formatting into a std::string, in the classic locale's form
// only as long as the caller keeps the numeric locale classic.

#include <string>

std::string formatString(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
