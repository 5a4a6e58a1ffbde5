#include "FuzzSupport.h"

#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzz {

void silenceMessages() {
    platform::setMessageHandler(
        [](const std::string&, unsigned style) { return platform::unattendedAnswer(style); });
}

void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

MemoryFile::MemoryFile() {
    m_descriptor = ::memfd_create("teskadat-fuzz", 0);
    require(m_descriptor >= 0, "memfd_create");
    m_path = "/proc/self/fd/" + std::to_string(m_descriptor);
}

MemoryFile::~MemoryFile() {
    ::close(m_descriptor);
}

const std::string& MemoryFile::write(const uint8_t* data, size_t size) {
    require(::ftruncate(m_descriptor, 0) == 0, "ftruncate");
    size_t written = 0;
    while (written < size) {
        const ssize_t n =
            ::pwrite(m_descriptor, data + written, size - written, static_cast<off_t>(written));
        require(n > 0, "pwrite");
        written += static_cast<size_t>(n);
    }
    return m_path;
}

const std::string& scratchDirectory() {
    // Never destroyed, so that the exit handler that removes the directory
    // can still read its name.
    static const std::string* const path = [] {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/teskadat-fuzz-XXXXXX"
                                                              : "/tmp/teskadat-fuzz-XXXXXX";
        require(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchDirectory(), ec);
        });
        return new std::string(pattern);
    }();
    return *path;
}

} // namespace fuzz
