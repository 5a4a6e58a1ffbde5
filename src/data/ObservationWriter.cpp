// Saving the data set as an observation file. The file is written to a
// temporary file in the target's folder and renamed over the target only
// when every byte reached the disk, so a failed save leaves the previous
// file as it was.

#include "CTESKAdatDoc.h"

#include "MessageBox.h"
#include "TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The file that a save to `path` replaces: the target of a symbolic link,
// so that the link survives, otherwise the path itself.
std::string replacedFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path target = fs::weakly_canonical(path, ec);
        if (!ec)
            return target.string();
    }
    return path;
}

std::string folderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// An existing file keeps its permissions; a new one gets what the umask allows.
mode_t permissionsFor(const std::string& file) {
    struct stat info;
    if (::stat(file.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the data set in the observation file format: the magnetic header
// (its component flag always 1), the count, then five columns per station.
bool writeStations(std::FILE* file, const ObservationSet& set) {
    data::ClassicNumericLocale classic;
    if (set.isMagnetic) {
        if (std::fprintf(file, "%g %g  %g\n", set.header1a, set.header1b, set.header1c) < 0 ||
            std::fprintf(file, "%g %g  1\n%i\n", set.header2a, set.header2b, set.count) < 0)
            return false;
    } else if (std::fprintf(file, "%i\n", set.count) < 0) {
        return false;
    }
    for (int i = 0; i < set.count; ++i)
        if (std::fprintf(file, "%14.10g %14.10g %14.10g  %12.8g %12.8g\n", set.x[i], set.y[i],
                         set.elevation[i], set.data[i], set.error[i]) < 0)
            return false;
    return true;
}

// Writes a temporary file beside `target` and renames it over the target.
// Returns 0, or the errno of the step that failed (the temporary is removed).
int writeReplacing(const std::string& target, const ObservationSet& set) {
    std::string temporary =
        (fs::path(folderOf(target)) / ("." + fs::path(target).filename().string() + ".XXXXXX"))
            .string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return errno;
    std::FILE* file = ::fdopen(descriptor, "w");
    if (!file) {
        const int cause = errno;
        ::close(descriptor);
        ::unlink(temporary.c_str());
        return cause;
    }
    const mode_t permissions = permissionsFor(target);
    errno = 0;
    int cause = 0;
    if (::fchmod(descriptor, permissions) != 0 || !writeStations(file, set) ||
        std::fflush(file) != 0 || ::fsync(descriptor) != 0)
        cause = errno ? errno : EIO;
    if (std::fclose(file) != 0 && cause == 0)
        cause = errno ? errno : EIO;
    if (cause == 0 && std::rename(temporary.c_str(), target.c_str()) != 0)
        cause = errno;
    if (cause != 0)
        ::unlink(temporary.c_str());
    return cause;
}

} // namespace

bool CTESKAdatDoc::OnSaveDocument(const std::string& path) {
    if (count <= 0) {
        AfxMessageBox("Error: " + path + "\ncould not be saved: there are no data.", MB_ICONHAND);
        return false;
    }
    const int cause = path.empty() ? ENOENT : writeReplacing(replacedFile(path), *this);
    if (cause != 0) {
        AfxMessageBox("Error: " + path + "\ncould not be saved: " + std::strerror(cause) + ".",
                      MB_ICONHAND);
        return false;
    }
    SetModifiedFlag(false);
    const std::string savedPath = normalisedPath(path);
    if (dataPath != savedPath)
        AfxMessageBox("The data filename has changed.\nMake sure you use the correct name in "
                      "the inversion interface.",
                      MB_OK);
    dataPath = savedPath;
    return true;
}

bool CTESKAdatDoc::DoSave(const std::string& path) {
    if (!OnSaveDocument(path))
        return false;
    SetPathName(dataPath, true);
    return true;
}
