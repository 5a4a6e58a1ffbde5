#include "platform/Format.h"

#include <cstdarg>
#include <cstdio>

std::string formatString(const char* pattern, ...) {
    va_list arguments;
    va_start(arguments, pattern);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, pattern, measuring);
    va_end(measuring);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), pattern, arguments);
        text.resize(static_cast<size_t>(length));
    }
    va_end(arguments);
    return text;
}
