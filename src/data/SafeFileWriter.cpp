#include "data/SafeFileWriter.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace data {

namespace {

namespace fs = std::filesystem;

// Returned by a step that cannot replace the file by a rename, so that the
// caller overwrites it in place instead.
constexpr int kCannotReplace = -1;
// Symbolic links followed before a chain is taken for a loop, as the kernel does.
constexpr int kMaximumLinkHops = 40;
// The characters that mkstemp replaces.
constexpr size_t kUniqueLength = 6;

class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }
    bool valid() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

int errnoOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

// Runs `writeContent` on a stream over `descriptor` (which stays open) and
// flushes it; with `sync` the bytes are also forced to the disk.
int writeContentTo(int descriptor, const ContentWriter& writeContent, bool sync) {
    const int duplicate = ::dup(descriptor);
    if (duplicate < 0)
        return errno;
    std::FILE* file = ::fdopen(duplicate, "w");
    if (!file) {
        const int cause = errno;
        ::close(duplicate);
        return cause;
    }
    errno = 0;
    int cause = writeContent(file) ? 0 : errnoOr(EIO);
    if (std::fflush(file) != 0 && cause == 0)
        cause = errnoOr(EIO);
    if (std::fclose(file) != 0 && cause == 0)
        cause = errnoOr(EIO);
    if (cause == 0 && sync && ::fsync(descriptor) != 0)
        cause = errno;
    return cause;
}

// --- The temporary file and the signals that would leave it behind ---------

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};
constexpr int kCleanedSignalCount = sizeof kCleanedSignals / sizeof kCleanedSignals[0];

// Read by the signal handler: fixed storage, set before the handler is installed.
char g_temporaryPath[PATH_MAX];
volatile sig_atomic_t g_temporaryExists = 0;
struct sigaction g_previousActions[kCleanedSignalCount];
bool g_handlerInstalled[kCleanedSignalCount];

// Removes the temporary file, then lets the signal do what it did before
// (usually end the process). Only async-signal-safe calls.
extern "C" void removeTemporaryAndResignal(int signalNumber) {
    if (g_temporaryExists) {
        ::unlink(g_temporaryPath);
        g_temporaryExists = 0;
    }
    for (int i = 0; i < kCleanedSignalCount; ++i)
        if (kCleanedSignals[i] == signalNumber && g_handlerInstalled[i])
            ::sigaction(signalNumber, &g_previousActions[i], nullptr);
    ::raise(signalNumber);
}

sigset_t cleanedSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : kCleanedSignals)
        sigaddset(&set, signalNumber);
    return set;
}

// A temporary file made from a mkstemp template; removed unless committed,
// and removed by the handler of the signals above while it exists. One at a
// time (saves run on the one user-interface thread).
class TemporaryFile {
public:
    // On failure descriptor() is negative and errno tells why.
    explicit TemporaryFile(const std::string& pathTemplate) {
        if (pathTemplate.size() >= sizeof g_temporaryPath) {
            errno = ENAMETOOLONG;
            return;
        }
        std::memcpy(g_temporaryPath, pathTemplate.c_str(), pathTemplate.size() + 1);
        installHandlers();
        // Set before the file is made: a signal right after its creation
        // must find it (before it, the handler removes a name that is not there).
        g_temporaryExists = 1;
        m_descriptor = ::mkstemp(g_temporaryPath);
        if (m_descriptor < 0) {
            const int cause = errno;
            g_temporaryExists = 0;
            restoreHandlers();
            errno = cause;
        }
    }
    ~TemporaryFile() {
        if (m_descriptor < 0)
            return;
        ::close(m_descriptor);
        if (g_temporaryExists)
            ::unlink(g_temporaryPath);
        g_temporaryExists = 0;
        restoreHandlers();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int descriptor() const { return m_descriptor; }
    const char* path() const { return g_temporaryPath; }

    // Renames the file to `target`; it is no longer removed afterwards.
    int renameTo(const std::string& target) {
        if (std::rename(g_temporaryPath, target.c_str()) != 0)
            return errno;
        g_temporaryExists = 0;
        return 0;
    }

private:
    static void installHandlers() {
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndResignal;
        action.sa_mask = cleanedSignalSet();
        for (int i = 0; i < kCleanedSignalCount; ++i) {
            g_handlerInstalled[i] = false;
            if (::sigaction(kCleanedSignals[i], nullptr, &g_previousActions[i]) != 0)
                continue;
            // An ignored signal ends nothing: the failed write cleans up.
            if (g_previousActions[i].sa_handler == SIG_IGN)
                continue;
            g_handlerInstalled[i] = ::sigaction(kCleanedSignals[i], &action, nullptr) == 0;
        }
    }
    static void restoreHandlers() {
        for (int i = 0; i < kCleanedSignalCount; ++i)
            if (g_handlerInstalled[i])
                ::sigaction(kCleanedSignals[i], &g_previousActions[i], nullptr);
    }

    int m_descriptor = -1;
};

// --- Where the file goes ---------------------------------------------------

std::string folderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

long nameLimitOf(const std::string& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? limit : NAME_MAX;
}

uint32_t nameHash(const std::string& name) {
    uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

// The name of the temporary file for a save of `targetName` (a bare file
// name) in a folder whose names may have `nameLimit` bytes, without the
// characters that mkstemp adds: "." + the name (shortened if need be) + a
// hash of the whole name + ".teskadat-", so that it always fits and that
// leftovers of the same target can be told from others.
std::string temporaryNameStem(const std::string& targetName, long nameLimit) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(nameHash(targetName)));
    const std::string suffix = std::string(".") + hash + ".teskadat-";
    const long room = nameLimit - static_cast<long>(kUniqueLength + 1 + suffix.size());
    size_t kept = room > 0 ? std::min(targetName.size(), static_cast<size_t>(room)) : 0;
    // Never cut a UTF-8 sequence: back up over continuation bytes.
    while (kept > 0 && kept < targetName.size() &&
           (static_cast<unsigned char>(targetName[kept]) & 0xC0) == 0x80)
        --kept;
    return "." + targetName.substr(0, kept) + suffix;
}

// The name that a save to `path` creates when the path does not exist: the
// path itself, or the file that a chain of symbolic links ending in a
// missing name points to (so that the link survives). 0 or an errno.
int fileToCreate(const std::string& path, std::string& created) {
    std::string current = path;
    for (int hop = 0; hop < kMaximumLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            created = current;
            return 0;
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec)
            return ec.value();
        current =
            next.is_absolute() ? next.string() : (fs::path(folderOf(current)) / next).string();
    }
    return ELOOP;
}

// The path through which a rename replaces the very file `opened` (links
// resolved, so that a symbolic link survives); false when there is none, as
// for a file that was deleted while open.
bool replaceablePath(const std::string& path, const struct stat& opened, std::string& resolved) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return false;
    resolved = real;
    std::free(real);
    struct stat info {};
    return ::lstat(resolved.c_str(), &info) == 0 && info.st_dev == opened.st_dev &&
           info.st_ino == opened.st_ino;
}

// --- Replacing by a rename --------------------------------------------------

mode_t permissionsForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the temporary the owner, group and permission bits of the file it
// replaces (or the umask's for a new file); kCannotReplace when the owner or
// group cannot be kept.
int takeAttributes(int temporary, const struct stat* existing) {
    if (!existing)
        return ::fchmod(temporary, permissionsForNewFile()) == 0 ? 0 : errno;
    struct stat own {};
    if (::fstat(temporary, &own) != 0)
        return errno;
    // The owner first: a change of owner clears the set-user-id bits.
    if ((own.st_uid != existing->st_uid || own.st_gid != existing->st_gid) &&
        ::fchown(temporary, existing->st_uid, existing->st_gid) != 0)
        return kCannotReplace;
    return ::fchmod(temporary, existing->st_mode & 07777) == 0 ? 0 : errno;
}

// Forces the folder's entry of a just renamed file to the disk. A folder
// that cannot be synced still holds the file, so nothing is reported.
void syncFolder(const std::string& folder) {
    const Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.valid())
        ::fsync(descriptor.get());
}

// Removes the temporary files of earlier saves of the same target that were
// ended before they could clean up (by SIGKILL or a power cut).
void removeLeftovers(const std::string& folder, const std::string& stem) {
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    const int folderDescriptor = ::dirfd(directory);
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name.size() == stem.size() + kUniqueLength && name.compare(0, stem.size(), stem) == 0 &&
            ::fstatat(folderDescriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode))
            ::unlinkat(folderDescriptor, entry->d_name, 0);
    }
    ::closedir(directory);
}

// Writes the content to a temporary file beside `target` and renames it over
// the target. `existing` describes the file replaced (nullptr for a new one).
// kCannotReplace when an existing file cannot be replaced this way.
int replaceByRename(const std::string& target, const struct stat* existing,
                    const ContentWriter& writeContent) {
    const std::string folder = folderOf(target);
    const std::string stem =
        temporaryNameStem(fs::path(target).filename().string(), nameLimitOf(folder));
    TemporaryFile temporary((fs::path(folder) / (stem + "XXXXXX")).string());
    if (temporary.descriptor() < 0) {
        const int cause = errno;
        return existing && (cause == EACCES || cause == EPERM || cause == EROFS) ? kCannotReplace
                                                                                 : cause;
    }
    if (const int cause = takeAttributes(temporary.descriptor(), existing); cause != 0)
        return cause;
    if (const int cause = writeContentTo(temporary.descriptor(), writeContent, true); cause != 0)
        return cause;
    // A sticky folder lets only the owner replace a file; writing in place
    // is still allowed to whoever may write the file.
    if (const int cause = temporary.renameTo(target); cause != 0)
        return existing && (cause == EPERM || cause == EACCES) ? kCannotReplace : cause;
    syncFolder(folder);
    removeLeftovers(folder, stem);
    return 0;
}

// --- Overwriting in place ---------------------------------------------------

bool exceedsFileSizeLimit(off_t size) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
           static_cast<unsigned long long>(size) > limit.rlim_cur;
}

// Reserves the disk space of `size` bytes without changing the file, so that
// a full disk is found before the old content is touched. A file system
// that cannot reserve space is written all the same.
int reserveSpace(int descriptor, off_t size) {
    if (size == 0 || ::fallocate(descriptor, FALLOC_FL_KEEP_SIZE, 0, size) == 0)
        return 0;
    return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? errno : 0;
}

int copyContent(int from, int to, off_t size) {
    std::vector<char> buffer(1 << 20);
    for (off_t offset = 0; offset < size;) {
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), offset);
        if (got <= 0)
            return got < 0 ? errno : EIO;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::pwrite(to, buffer.data() + done, got - done, offset + done);
            if (put < 0)
                return errno;
            done += put;
        }
        offset += got;
    }
    return 0;
}

// While alive, the signals that would end the process wait, so that a file
// being overwritten is not left half old and half new.
class SignalsDeferred {
public:
    SignalsDeferred() {
        const sigset_t set = cleanedSignalSet();
        ::sigprocmask(SIG_BLOCK, &set, &m_previous);
    }
    ~SignalsDeferred() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsDeferred(const SignalsDeferred&) = delete;
    SignalsDeferred& operator=(const SignalsDeferred&) = delete;

private:
    sigset_t m_previous;
};

// Produces the complete content in memory first, then writes it over the
// file open as `target`, which keeps its name, links, owner and permissions.
int overwriteInPlace(int target, const ContentWriter& writeContent) {
    const Descriptor content(::memfd_create("teskadat-save", MFD_CLOEXEC));
    if (!content.valid())
        return errno;
    if (const int cause = writeContentTo(content.get(), writeContent, false); cause != 0)
        return cause;
    const off_t size = ::lseek(content.get(), 0, SEEK_END);
    if (size < 0)
        return errno;
    if (exceedsFileSizeLimit(size))
        return EFBIG;
    if (const int cause = reserveSpace(target, size); cause != 0)
        return cause;
    const SignalsDeferred deferred;
    if (const int cause = copyContent(content.get(), target, size); cause != 0)
        return cause;
    if (::ftruncate(target, size) != 0 || ::fsync(target) != 0)
        return errno;
    return 0;
}

// --- Targets that are not regular files ------------------------------------

// A pipe, a device or a terminal: opened for writing (waiting for a pipe's
// reader) and written as it is, never replaced.
int writeSpecial(const std::string& path, const ContentWriter& writeContent) {
    const Descriptor target(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!target.valid())
        return errno;
    return writeContentTo(target.get(), writeContent, false);
}

int clearNonBlocking(int descriptor) {
    const int flags = ::fcntl(descriptor, F_GETFL);
    return flags >= 0 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0 ? 0 : errno;
}

// An existing regular file: opening it for writing is the permission check
// (a rename alone needs only the folder's), and the open descriptor is what
// an in-place write uses.
int saveExistingFile(const std::string& path, const ContentWriter& writeContent) {
    const Descriptor target(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!target.valid())
        return errno;
    struct stat opened {};
    if (::fstat(target.get(), &opened) != 0)
        return errno;
    if (!S_ISREG(opened.st_mode)) { // exchanged since it was looked at
        if (const int cause = clearNonBlocking(target.get()); cause != 0)
            return cause;
        return writeContentTo(target.get(), writeContent, false);
    }
    std::string replaced;
    if (opened.st_nlink == 1 && replaceablePath(path, opened, replaced)) {
        const int cause = replaceByRename(replaced, &opened, writeContent);
        if (cause != kCannotReplace)
            return cause;
    }
    return overwriteInPlace(target.get(), writeContent);
}

} // namespace

int saveFileSafely(const std::string& path, const ContentWriter& writeContent) {
    if (path.empty())
        return ENOENT;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return errno;
        std::string created;
        if (const int cause = fileToCreate(path, created); cause != 0)
            return cause;
        return replaceByRename(created, nullptr, writeContent);
    }
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return writeSpecial(path, writeContent);
    return saveExistingFile(path, writeContent);
}

int saveTextSafely(const std::string& path, const std::string& text) {
    if (path.empty())
        return ENOENT;
    return saveFileSafely(path, [&text](std::FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}

std::string saveFailureText(const std::string& path, int cause) {
    if (cause == EACCES)
        return "Access to " + path + " was denied.";
    return "Error: " + path + "\ncould not be saved: " + std::strerror(cause) + ".";
}

} // namespace data
