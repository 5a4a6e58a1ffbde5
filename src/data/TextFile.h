#pragma once
// Line-by-line reading of text files of any line length, and a scope that
// keeps number conversion in the classic "C" locale whatever the user's
// regional settings are.

#include <cstdio>
#include <locale.h>
#include <string>

namespace data {

class TextLineReader {
public:
    TextLineReader() = default;
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;
    ~TextLineReader();

    // Opens a regular file for reading; false for a missing file, a directory,
    // a device, a pipe or anything else that is not a regular file.
    bool open(const std::string& path);
    void close();

    // Skips a UTF-8 byte-order mark (as Windows editors write one) at the
    // start of the file; call it right after open.
    void skipByteOrderMark();

    // The next line without its line feed and a carriage return before it.
    // At the end of the file: an empty line (and atEnd() becomes true).
    const std::string& readLine();
    bool atEnd() const { return m_atEnd; }
    // Lines read so far, the one readLine() returned last included.
    long long lineNumber() const { return m_lineNumber; }

    // Bytes from the current position to the end of the file as it was when
    // opened (0 at its end); -1 when no file is open.
    long long bytesRemaining() const;

    // The whole file from its start, as many bytes as it had when opened
    // (or fewer if it shrank). False when no file is open or reading fails;
    // a failed allocation throws std::bad_alloc.
    bool readAll(std::string& into);
    // The file's size when it was opened.
    long long size() const { return m_size; }

private:
    std::FILE* m_file = nullptr;
    char* m_buffer = nullptr;
    size_t m_capacity = 0;
    std::string m_line;
    bool m_atEnd = false;
    long long m_size = 0;
    long long m_lineNumber = 0;
};

// While alive, number conversions of this thread use the classic locale.
class ClassicNumericLocale {
public:
    ClassicNumericLocale();
    ~ClassicNumericLocale();
    ClassicNumericLocale(const ClassicNumericLocale&) = delete;
    ClassicNumericLocale& operator=(const ClassicNumericLocale&) = delete;

private:
    locale_t m_classic;
    locale_t m_previous;
};

// Reads one integer as the C library's %i does (sign, 0x hexadecimal,
// leading 0 octal) after leading white space. False when the text does not
// start with one; a value outside the range of long long is clamped.
bool scanInteger(const std::string& line, long long& value);

} // namespace data
