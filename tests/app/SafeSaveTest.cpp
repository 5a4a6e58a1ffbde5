// Saving and rendering through the batch program, as a user and as an
// administrator would: protected, foreign, special and hard-linked targets,
// read-only folders, interrupted saves and a full disk.

#include "TempFiles.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kStations = "3\n1 2 3\n4 5 6\n7 9 10\n";

struct ChildOptions {
    std::string program = TESKADAT_BINARY;
    bool asNobody = false;
    std::vector<std::string> wrapper; // a program that runs the batch program
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool ignoreFileSizeSignal = false;
    int standardOutput = -1; // a descriptor for the child's standard output
};

ChildOptions asNobody(const std::string& program) {
    ChildOptions options;
    options.program = program;
    options.asNobody = true;
    return options;
}

// Starts the batch program with `arguments`; its messages go to `messages`.
pid_t startProgram(const std::vector<std::string>& arguments, const std::string& messages,
                   const ChildOptions& options = {}) {
    std::vector<std::string> command = options.wrapper;
    if (options.asNobody)
        command.insert(command.end(), {"/usr/sbin/runuser", "-u", "nobody", "--"});
    command.push_back(options.program);
    command.insert(command.end(), arguments.begin(), arguments.end());
    const pid_t child = fork();
    if (child != 0)
        return child;
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    if (FILE* log = std::fopen(messages.c_str(), "w"))
        dup2(fileno(log), STDERR_FILENO);
    if (options.standardOutput >= 0)
        dup2(options.standardOutput, STDOUT_FILENO);
    if (!options.wrapper.empty()) // a sanitizer build's leak check cannot run under ptrace
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    if (options.ignoreFileSizeSignal)
        std::signal(SIGXFSZ, SIG_IGN);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
    if (options.fileSizeLimit != RLIM_INFINITY)
        setrlimit(RLIMIT_FSIZE, &limit);
    execv(argv[0], argv.data());
    _exit(127);
}

// The exit code of the finished child, or 1000 + the signal that ended it.
int waitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

int runProgram(const std::vector<std::string>& arguments, const std::string& messages,
               const ChildOptions& options = {}) {
    return waitFor(startProgram(arguments, messages, options));
}

// A folder that the user nobody can enter, write in and run programs from,
// holding a copy of the batch program: the build folder may lie in a private
// clone and the temporary folder may forbid running programs. `reason` says
// why there is none.
struct SharedFolder {
    SharedFolder() {
        if (geteuid() != 0 || access("/usr/sbin/runuser", X_OK) != 0) {
            reason = "needs root and runuser to save as another user";
            return;
        }
        const std::string temporary = fs::temp_directory_path().string();
        for (const std::string& parent :
             {temporary, std::string("/tmp"), std::string("/var/tmp"), std::string("/dev/shm")}) {
            if (tryIn(parent))
                return;
        }
        reason = "no folder where the user nobody may run a copy of the program (tried " +
                 temporary + ", /tmp, /var/tmp, /dev/shm)";
    }
    bool usable() const { return folder != nullptr; }

    std::unique_ptr<TempDir> folder; // mode 0777, for the files nobody saves
    std::unique_ptr<TempDir> programFolder;
    std::string program;
    std::string reason;

private:
    bool tryIn(const std::string& parent) {
        try {
            auto programs = std::make_unique<TempDir>(parent);
            auto files = std::make_unique<TempDir>(parent);
            const std::string copy = programs->file("teskadat");
            std::error_code ec;
            fs::copy_file(TESKADAT_BINARY, copy, ec);
            if (ec)
                return false;
            chmod(programs->path().c_str(), 0755);
            chmod(copy.c_str(), 0755);
            chmod(files->path().c_str(), 0777);
            ChildOptions probe = asNobody(copy);
            probe.standardOutput = open("/dev/null", O_WRONLY);
            const int status = runProgram({"--help"}, files->file("probe.log"), probe);
            close(probe.standardOutput);
            if (status != 0)
                return false;
            folder = std::move(files);
            programFolder = std::move(programs);
            program = copy;
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
};

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Everything that can be read from `descriptor` now, without waiting.
std::string readAvailable(int descriptor) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(descriptor, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

class SafeSave : public testing::Test {
protected:
    std::string messages() const { return readWholeFile(log); }

    TempDir dir;
    TempDir logDir;
    const std::string log = logDir.file("messages");
};

TEST_F(SafeSave, ProtectedFilesAreRefusedAndForeignFilesKeepOwnerAndMode) {
    const SharedFolder shared;
    if (!shared.usable())
        GTEST_SKIP() << shared.reason;
    const std::string raw = shared.folder->write("raw.obs", kStations);
    chown(raw.c_str(), 65534, 65534);
    chmod(raw.c_str(), 0444);
    EXPECT_EQ(
        runProgram({raw, "--add-constant", "100", "--save", raw}, log, asNobody(shared.program)),
        1);
    EXPECT_EQ(readWholeFile(raw), kStations) << "a write-protected file is not replaced";
    EXPECT_NE(messages().find("Access to " + raw + " was denied."), std::string::npos)
        << messages();

    // The administrator saving another user's file: it stays theirs.
    chmod(raw.c_str(), 0640);
    ASSERT_EQ(runProgram({raw, "--add-constant", "100", "--save", raw}, log), 0) << messages();
    struct stat info {};
    ASSERT_EQ(stat(raw.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_NE(readWholeFile(raw), kStations);
}

// Everything the child writes to its standard output.
std::string outputOf(const std::vector<std::string>& arguments, const std::string& messages,
                     int& status) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    ChildOptions toPipe;
    toPipe.standardOutput = pipeEnds[1];
    const pid_t child = startProgram(arguments, messages, toPipe);
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(pipeEnds[0]);
    status = waitFor(child);
    return output;
}

TEST_F(SafeSave, BatchRunsReportAsCommandLineProgramsDo) {
    const std::string input = dir.write("in.obs", kStations);
    int status = -1;
    EXPECT_EQ(outputOf({"--version"}, log, status), "teskadat 20080808\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runProgram({"--bogus", input}, log), 2);
    EXPECT_EQ(messages(), "teskadat: Unknown option: --bogus\nTry 'teskadat --help'.\n");

    // A named predicted file that cannot be read fails the run.
    const std::string missing = dir.file("missing.pre");
    EXPECT_EQ(runProgram({"--info", input, missing}, log), 1);
    EXPECT_EQ(messages(), "Predicted data file doesn't exist.\n" + missing + "\n");

    // --format chooses the picture's format whatever the file is called.
    const std::string png =
        outputOf({"--render", "/dev/stdout", "--format", "png", input}, log, status);
    EXPECT_EQ(status, 0) << messages();
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(SafeSave, SpecialTargetsAreWrittenAndNeverReplaced) {
    const std::string input = dir.write("in.obs", kStations);
    const std::string reference = logDir.file("reference.obs");
    ASSERT_EQ(runProgram({input, "--save", reference}, log), 0) << messages();
    const std::string expected = readWholeFile(reference);
    // A pipe with a waiting reader gets the data and stays a pipe.
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    // The reader is there before the save (the data fit into the pipe).
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(runProgram({input, "--save", fifo}, log), 0) << messages();
    const std::string received = readAvailable(reader);
    close(reader);
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(fs::is_fifo(fifo));

    // Standard output through a link that resolves to no file, as
    // /dev/stdout does (whose replacement a faulty save must not risk here).
    const std::string output = dir.file("stdout");
    fs::create_symlink("/proc/self/fd/1", output);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    ChildOptions toPipe;
    toPipe.standardOutput = pipeEnds[1];
    const pid_t child = startProgram({input, "--save", output}, log, toPipe);
    close(pipeEnds[1]);
    std::string piped;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        piped.append(buffer, static_cast<size_t>(n));
    close(pipeEnds[0]);
    EXPECT_EQ(waitFor(child), 0) << messages();
    EXPECT_EQ(piped, expected) << messages();
    EXPECT_TRUE(fs::is_symlink(output));

    // A dangling link creates the file it names; a directory is refused.
    const std::string link = dir.file("link.obs");
    fs::create_symlink("named.obs", link);
    EXPECT_EQ(runProgram({input, "--save", link}, log), 0) << messages();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readWholeFile(dir.file("named.obs")), expected);
    fs::create_directory(dir.file("folder"));
    EXPECT_EQ(runProgram({input, "--save", dir.file("folder")}, log), 1);
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_TRUE(fs::is_empty(dir.file("folder")));

    // A copy of the null device stays a device.
    const std::string null = dir.file("null");
    if (mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(runProgram({input, "--save", null}, log), 0) << messages();
        EXPECT_TRUE(fs::is_character_file(null));
    }
}

TEST_F(SafeSave, HardLinksAndReadOnlyFoldersAreWrittenInPlace) {
    const std::string input = dir.write("in.obs", kStations);
    const std::string other = dir.file("other-name.obs");
    ASSERT_EQ(link(input.c_str(), other.c_str()), 0);
    ASSERT_EQ(runProgram({input, "--add-constant", "1", "--save", input}, log), 0) << messages();
    EXPECT_NE(readWholeFile(input), kStations);
    EXPECT_EQ(readWholeFile(other), readWholeFile(input)) << "both names see the new content";

    // Content that cannot be written whole leaves the old one, not a part.
    const std::string saved = readWholeFile(input);
    ChildOptions full;
    full.fileSizeLimit = saved.size() + 1;
    full.ignoreFileSizeSignal = true;
    EXPECT_EQ(runProgram({input, "--add-constant", "-1.23456789e300", "--save", input}, log, full),
              1);
    EXPECT_EQ(readWholeFile(other), saved);

    const SharedFolder shared;
    if (!shared.usable())
        GTEST_SKIP() << shared.reason;
    const std::string own = shared.folder->write("own.obs", kStations);
    chown(own.c_str(), 65534, 65534);
    chmod(shared.folder->path().c_str(), 0755);
    const std::vector<std::string> before = namesIn(shared.folder->path());
    ASSERT_EQ(
        runProgram({own, "--add-constant", "1", "--save", own}, log, asNobody(shared.program)), 0)
        << messages();
    EXPECT_EQ(readWholeFile(own), readWholeFile(input));
    EXPECT_EQ(namesIn(shared.folder->path()), before);
}

// Starts a save of many stations and waits until its temporary file exists;
// then stops the program there. Returns its id (or -1 when the save ended first).
pid_t stopInsideASave(const std::string& input, const std::string& folder, const std::string& log) {
    const std::vector<std::string> before = namesIn(folder);
    const pid_t child = startProgram({input, "--save", input}, log);
    for (int i = 0; i < 200000; ++i) {
        if (namesIn(folder).size() > before.size()) {
            kill(child, SIGSTOP);
            return child;
        }
        if (waitpid(child, nullptr, WNOHANG) == child)
            return -1;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    kill(child, SIGKILL);
    waitFor(child);
    return -1;
}

TEST_F(SafeSave, InterruptedSavesLeaveNoTemporaryFiles) {
    std::string big = "500000\n";
    for (int i = 0; i < 500000; ++i)
        big += std::to_string(i) + " " + std::to_string(i % 977) + " 1 2 3\n";
    const std::string input = dir.write("big.obs", big);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = stopInsideASave(input, dir.path(), log);
        ASSERT_GT(child, 0) << "the save was not caught while writing";
        kill(child, signalNumber);
        kill(child, SIGCONT);
        EXPECT_EQ(waitFor(child), 1000 + signalNumber);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"big.obs"}) << signalNumber;
        EXPECT_EQ(readWholeFile(input), big);
    }
    // The file-size limit: the default action ends the program, the temporary goes.
    ChildOptions limited;
    limited.fileSizeLimit = 1 << 20;
    EXPECT_EQ(runProgram({input, "--save", input}, log, limited), 1000 + SIGXFSZ);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"big.obs"});

    // What a killed save leaves, the next save of the same file removes.
    const pid_t killed = stopInsideASave(input, dir.path(), log);
    ASSERT_GT(killed, 0);
    kill(killed, SIGKILL);
    waitFor(killed);
    ASSERT_EQ(namesIn(dir.path()).size(), 2u);
    const std::string small = dir.write("small.obs", kStations);
    ASSERT_EQ(runProgram({small, "--save", input}, log), 0) << messages();
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"big.obs", "small.obs"}));
}

TEST_F(SafeSave, AFailedRenderKeepsTheOldPicture) {
    const std::string input = dir.write("in.obs", kStations);
    const std::string picture = dir.file("map.png");
    ASSERT_EQ(runProgram({input, "--render", picture}, log), 0) << messages();
    const std::string before = readWholeFile(picture);
    ASSERT_GT(before.size(), 4096u);

    // A full disk, as the file-size limit shows it.
    ChildOptions full;
    full.fileSizeLimit = 4096;
    full.ignoreFileSizeSignal = true;
    EXPECT_EQ(runProgram({input, "--render", picture, "--magnification", "2"}, log, full), 1);
    EXPECT_EQ(readWholeFile(picture), before);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.obs", "map.png"}));
}

TEST_F(SafeSave, TheFolderIsSyncedAfterTheRename) {
    if (access("/usr/bin/strace", X_OK) != 0)
        GTEST_SKIP() << "needs strace to watch the system calls";
    const std::string input = dir.write("in.obs", kStations);
    const std::string trace = logDir.file("trace");
    ChildOptions traced;
    traced.wrapper = {"/usr/bin/strace",           "-f", "-qq", "-e",
                      "trace=rename,openat,fsync", "-o", trace};
    ASSERT_EQ(runProgram({input, "--save", dir.file("out.obs")}, log, traced), 0) << messages();
    std::istringstream lines(readWholeFile(trace));
    if (lines.str().empty())
        GTEST_SKIP() << "strace cannot trace here";
    bool renamed = false;
    std::string folder; // the descriptor of the folder opened after the rename
    for (std::string line; std::getline(lines, line);) {
        if (line.find("rename(") != std::string::npos && line.find("out.obs") != std::string::npos)
            renamed = true;
        else if (renamed && line.find("O_DIRECTORY") != std::string::npos)
            folder = line.substr(line.rfind("= ") + 2);
        else if (!folder.empty() && line.find("fsync(" + folder + ")") != std::string::npos)
            return;
    }
    ADD_FAILURE() << "no fsync of the folder after the rename:\n" << lines.str();
}

} // namespace
