#pragma once
// Shared pieces of the fuzz targets: quiet message boxes, an in-memory file
// that the readers open by path, and the check that turns a broken
// invariant into a finding.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Answers every message box as nobody-present would, without any output.
// Safe to call more than once.
void silenceMessages();

// Stops the run with `what` on standard error when `condition` is false,
// which libFuzzer records as a crash with the input that caused it.
void require(bool condition, const char* what);

// A file in memory (memfd) with a path that open() and stat() accept, so
// that the readers see a regular file of the given contents.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the contents; returns the path.
    const std::string& write(const uint8_t* data, size_t size);

private:
    int m_descriptor = -1;
    std::string m_path;
};

// A fresh directory in memory-backed storage where possible, for targets
// that save files; it lives as long as the process.
const std::string& scratchDirectory();

// Reads input bytes from the front, giving zeros once they are used up.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t byte() { return m_position < m_size ? m_data[m_position++] : 0; }
    size_t remaining() const { return m_size - m_position; }
    const uint8_t* rest() const { return m_data + m_position; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

} // namespace fuzz
