#include "data/TextFile.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace data {

TextLineReader::~TextLineReader() {
    close();
    std::free(m_buffer);
}

bool TextLineReader::open(const std::string& path) {
    close();
    // Only regular files: a device such as /dev/zero or a pipe has no end
    // that the reader could rely on, nor a size to check the count against.
    // The open descriptor is checked, not the name, so a pipe put in the
    // file's place meanwhile is never read; opening without blocking means
    // that such a pipe cannot hold the open up either.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info {};
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !(m_file = ::fdopen(descriptor, "rb"))) {
        ::close(descriptor);
        return false;
    }
    m_size = static_cast<long long>(info.st_size);
    m_lineNumber = 0;
    m_atEnd = false;
    return true;
}

void TextLineReader::close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

void TextLineReader::skipByteOrderMark() {
    if (!m_file)
        return;
    unsigned char head[3] = {};
    const size_t read = std::fread(head, 1, sizeof head, m_file);
    if (read == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        return;
    std::fseek(m_file, 0, SEEK_SET);
}

const std::string& TextLineReader::readLine() {
    m_line.clear();
    if (!m_file || m_atEnd) {
        m_atEnd = true;
        return m_line;
    }
    ssize_t length = ::getline(&m_buffer, &m_capacity, m_file);
    if (length < 0) {
        m_atEnd = true;
        return m_line;
    }
    ++m_lineNumber;
    size_t n = static_cast<size_t>(length);
    if (n > 0 && m_buffer[n - 1] == '\n')
        --n;
    if (n > 0 && m_buffer[n - 1] == '\r')
        --n;
    m_line.assign(m_buffer, n);
    return m_line;
}

long long TextLineReader::bytesRemaining() const {
    if (!m_file)
        return -1;
    const long position = std::ftell(m_file);
    if (position < 0)
        return -1;
    // A file that grew since it was opened: what is left of the size seen then.
    return position > m_size ? 0 : m_size - position;
}

bool TextLineReader::readAll(std::string& into) {
    if (!m_file || std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    into.resize(static_cast<size_t>(m_size));
    const size_t read = std::fread(into.data(), 1, into.size(), m_file);
    into.resize(read);
    m_atEnd = true;
    return !std::ferror(m_file);
}

ClassicNumericLocale::ClassicNumericLocale()
    : m_classic(::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))),
      m_previous(m_classic ? ::uselocale(m_classic) : static_cast<locale_t>(0)) {}

ClassicNumericLocale::~ClassicNumericLocale() {
    if (m_classic) {
        ::uselocale(m_previous);
        ::freelocale(m_classic);
    }
}

bool scanInteger(const std::string& line, long long& value) {
    const char* text = line.c_str();
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const char* digits = text + ((*text == '+' || *text == '-') ? 1 : 0);
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    errno = 0;
    value = std::strtoll(text, nullptr, 0);
    return true;
}

} // namespace data
