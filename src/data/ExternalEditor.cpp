#include "data/ExternalEditor.h"

#include "data/CTESKAdatDoc.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace data {
namespace {

constexpr const char* kDesktopEditors[] = {
    "gedit", "kate", "mousepad", "xed", "pluma", "leafpad", "featherpad", "gnome-text-editor",
};

bool isExecutableFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The folders of PATH in order; an empty entry is the current folder.
std::vector<std::string> searchFolders() {
    const char* variable = std::getenv("PATH");
    const std::string path = variable ? variable : "/usr/local/bin:/usr/bin:/bin";
    std::vector<std::string> folders;
    size_t start = 0;
    while (true) {
        const size_t end = path.find(':', start);
        const std::string folder = path.substr(start, end - start);
        folders.push_back(folder.empty() ? "." : folder);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return folders;
}

void waitForChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

// The errno that the started program's side reported through the pipe, or 0
// when the pipe closed without a word (the program was executed).
int readStartFailure(int descriptor) {
    int failure = 0;
    ssize_t got = 0;
    do {
        got = ::read(descriptor, &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? (failure ? failure : ENOEXEC) : 0;
}

// In the forked child: only calls that are safe after fork in a program
// with threads. A second fork detaches the program from us; the pipe, closed
// on a successful exec, tells the parent whether it started.
[[noreturn]] void runDetachedChild(const char* executable, char* const* argv, int reportFd) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
        ::execv(executable, argv);
        const int failure = errno;
        [[maybe_unused]] ssize_t written = ::write(reportFd, &failure, sizeof failure);
        ::_exit(127);
    }
    if (grandchild < 0) {
        const int failure = errno;
        [[maybe_unused]] ssize_t written = ::write(reportFd, &failure, sizeof failure);
    }
    ::_exit(0);
}

} // namespace

std::string findExecutable(const std::string& program) {
    if (program.empty())
        return {};
    if (program.find('/') != std::string::npos)
        return isExecutableFile(program) ? program : std::string();
    for (const std::string& folder : searchFolders()) {
        const std::string candidate = folder + "/" + program;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

std::string editorProgram() {
    const char* chosen = std::getenv("TESKADAT_EDITOR");
    if (chosen && *chosen)
        return chosen;
    for (const char* editor : kDesktopEditors)
        if (!findExecutable(editor).empty())
            return editor;
    return "xdg-open";
}

bool startDetached(const std::string& program, const std::string& argument) {
    const std::string executable = findExecutable(program);
    if (executable.empty())
        return false;
    // Everything the child needs is prepared before the fork.
    std::string name = program;
    std::string onlyArgument = argument;
    char* const argv[] = {name.data(), onlyArgument.data(), nullptr};
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        runDetachedChild(executable.c_str(), argv, report[1]);
    }
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        return false;
    }
    waitForChild(child);
    const int failure = readStartFailure(report[0]);
    ::close(report[0]);
    return failure == 0;
}

bool openInTextEditor(const std::string& path) {
    const std::string program = editorProgram();
    // Absolute, so that a name such as "-r.obs" cannot be taken for an option.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (startDetached(program, ec || path.empty() ? path : absolute.string()))
        return true;
    AfxMessageBox(program + " not found.", MB_ICONHAND);
    return false;
}

} // namespace data

void CTESKAdatDoc::OnTextEditor() {
    // The editor reads the file on disk, which lacks the changes held here.
    if (IsModified())
        AfxMessageBox("Data information has been modified.\nLoading last saved data file.", MB_OK);
    data::openInTextEditor(dataPath);
}
