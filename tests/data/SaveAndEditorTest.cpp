#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/ExternalEditor.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kChangedName =
    "The data filename has changed.\nMake sure you use the correct name in the inversion "
    "interface.";

class Saving : public testing::Test {
protected:
    // Reads `contents` as the Open command does.
    void load(const std::string& contents, const std::string& name = "survey.obs") {
        doc.dataPath = dir.write(name, contents);
        ASSERT_TRUE(doc.readObservationFile(doc.dataPath));
        messages.clear();
    }

    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

TEST_F(Saving, GravityFormatByteForByte) {
    load("! comments are not written\n3\n350.5 120.25 10 56.789 2.5\n1 2 3\n-1.234567891e+300 "
         "0.000012345 7 8\n");
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(doc.dataPath));
    EXPECT_TRUE(messages.empty()) << "same path: no message";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(readWholeFile(doc.dataPath),
              "3\n"
              "         350.5         120.25             10        56.789          2.5\n"
              "             1              2              3             3            0\n"
              "-1.234567891e+300     1.2345e-05              7             8            0\n");
}

TEST_F(Saving, MagneticHeaderAlwaysEndsInOne) {
    load("60.5 10 50000\n60 -10 0\n3\n0 0 0 1 1\n1 0 0 2 1\n0 1 0 3 1\n");
    const std::string out = dir.file("out.obs");
    ASSERT_TRUE(doc.OnSaveDocument(out));
    const std::string line =
        "             0              0              0             1            1\n";
    EXPECT_EQ(readWholeFile(out).substr(0, 27), "60.5 10  50000\n60 -10  1\n3\n");
    EXPECT_EQ(readWholeFile(out).substr(27, line.size()), line);
}

TEST_F(Saving, RoundTripKeepsValuesAndLogarithms) {
    load("5\n1 2 3 4 5\n6 7 8 9 10\n11 12 13 14 0.25\n-1 -2 -3 1e-7 2\n0.1 0.2 0.3 1000 1\n");
    ASSERT_TRUE(doc.toggleLogScale());
    ASSERT_TRUE(doc.OnSaveDocument(doc.dataPath));

    CTESKAdatDoc reread;
    reread.dataPath = doc.dataPath;
    ASSERT_TRUE(reread.readObservationFile(doc.dataPath));
    EXPECT_FALSE(reread.logScale);
    ASSERT_EQ(reread.count, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(reread.x[i], doc.x[i]);
        EXPECT_EQ(reread.error[i], doc.error[i]);
        EXPECT_NEAR(reread.data[i], doc.data[i], std::fabs(doc.data[i]) * 1e-7)
            << "logarithms, 8 significant digits";
    }
    EXPECT_EQ(reread.data[4], 3);
}

TEST_F(Saving, ChangedFileNameMessageAndPathName) {
    load("3\n1 2 3\n4 5 6\n7 8 9\n");
    const std::string other = dir.file("other.obs");
    ASSERT_TRUE(doc.DoSave(other));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, kChangedName);
    EXPECT_EQ(messages.last().style, MB_OK);
    EXPECT_EQ(doc.dataPath, other);
    EXPECT_EQ(doc.GetTitle(), other);
    ASSERT_TRUE(doc.DoSave(other));
    EXPECT_EQ(messages.messages().size(), 1u) << "a second save to the new path says nothing";

    // Paths are compared in their normalised form: another spelling of the
    // same path is no change.
    ASSERT_TRUE(doc.OnSaveDocument(dir.path() + "/./other.obs"));
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST_F(Saving, PathsAreAbsoluteAndNormalisedFromLoadToSave) {
    fs::create_directory(dir.file("h"));
    dir.write("survey.obs", "3\n1 2 3\n4 5 6\n7 8 9\n");
    const std::string normal = dir.file("survey.obs");
    const std::string relative = fs::relative(dir.path()).string() + "/h/..//./survey.obs";
    CTESKAdatDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(relative));
    EXPECT_EQ(opened.dataPath, normal);
    EXPECT_EQ(opened.GetPathName(), normal);
    EXPECT_EQ(opened.GetTitle(), normal) << "the caption shows the normalised path";
    ASSERT_TRUE(opened.OnSaveDocument(dir.path() + "/h/../survey.obs"));
    ASSERT_TRUE(opened.DoSave(opened.GetPathName()));
    EXPECT_TRUE(messages.empty()) << "the file that was loaded, however it is spelt";
    EXPECT_EQ(normalisedPath(""), "");
}

TEST_F(Saving, FailureKeepsTheOldFileAndTheDocumentState) {
    load("3\n1 2 3\n4 5 6\n7 8 9\n");
    doc.SetModifiedFlag(true);
    const std::string before = readWholeFile(doc.dataPath);
    const std::string loaded = doc.dataPath;

    const std::string nowhere = doc.dataPath + "/inside-a-file.obs";
    EXPECT_FALSE(doc.DoSave(nowhere));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_NE(messages.last().text.find(nowhere), std::string::npos);
    EXPECT_NE(messages.last().text.find("Not a directory"), std::string::npos);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.dataPath, loaded);
    EXPECT_EQ(doc.GetTitle(), loaded);

    // A write that fails part way (here: the file-size limit) leaves the old file.
    doc.deleteStation(0);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = previous;
    tiny.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool saved = doc.OnSaveDocument(loaded);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readWholeFile(loaded), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "the temporary file is removed";
}

TEST_F(Saving, WritableFileInReadOnlyFolderIsWrittenInPlace) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    load("3\n1 2 3\n4 5 6\n7 8 9\n");
    doc.deleteStation(0);
    chmod(dir.path().c_str(), 0555);
    EXPECT_TRUE(doc.OnSaveDocument(doc.dataPath));
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(readWholeFile(doc.dataPath).substr(0, 2), "2\n");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Saving, KeepsPermissionsAndSymbolicLinks) {
    load("3\n1 2 3\n4 5 6\n7 8 9\n");
    chmod(doc.dataPath.c_str(), 0640);
    const std::string link = dir.file("link.obs");
    fs::create_symlink(doc.dataPath, link);
    doc.deleteStation(0);
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readWholeFile(link).substr(0, 2), "2\n");
    struct stat info {};
    stat(doc.dataPath.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(Saving, LongestLegalNamesSave) {
    load("3\n1 2 3\n4 5 6\n7 8 9\n");
    for (const std::string& name : {std::string(254, 'n'), std::string(255, 'm')}) {
        ASSERT_TRUE(doc.OnSaveDocument(dir.file(name))) << messages.last().text;
        EXPECT_EQ(readWholeFile(dir.file(name)), readWholeFile(doc.dataPath));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3)
        << "no temporary file is left";
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

std::string makeExecutable(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.write(name, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
    return path;
}

// Waits up to five seconds for the detached program to write `path`.
std::string waitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::string text = readWholeFile(path);
        if (!text.empty() && text.back() == '\n')
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

TEST(ExternalEditor, StartsTheChosenProgramWithThePathAsOneArgument) {
    TempDir dir(programFolderParent());
    MessageCapture messages;
    const std::string record = dir.file("record.txt");
    const std::string script =
        makeExecutable(dir, "editor", "printf '%s|%s\\n' \"$#\" \"$1\" > '" + record + "'\n");
    ScopedEnv editor("TESKADAT_EDITOR", script);

    CTESKAdatDoc doc;
    doc.dataPath = dir.file("my survey.obs");
    doc.SetModifiedFlag(true);
    doc.OnTextEditor();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text,
              "Data information has been modified.\nLoading last saved data file.");
    EXPECT_EQ(waitForFile(record), "1|" + doc.dataPath + "\n");

    doc.SetModifiedFlag(false);
    messages.clear();
    fs::remove(record);
    doc.OnTextEditor();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(waitForFile(record), "1|" + doc.dataPath + "\n");

    // A relative name that looks like an option reaches the editor as a path.
    const fs::path folder = fs::current_path();
    fs::current_path(dir.path());
    fs::remove(record);
    doc.dataPath = "-n.obs";
    doc.OnTextEditor();
    fs::current_path(folder);
    EXPECT_EQ(waitForFile(record), "1|" + dir.file("-n.obs") + "\n");
}

TEST(ExternalEditor, ReportsAProgramThatCannotBeStarted) {
    MessageCapture messages;
    ScopedEnv editor("TESKADAT_EDITOR", "/nonexistent/editor");
    CTESKAdatDoc doc;
    doc.dataPath = "a.obs";
    doc.OnTextEditor();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "/nonexistent/editor not found.");
    EXPECT_EQ(messages.last().style, MB_ICONHAND);

    TempDir dir;
    const std::string notExecutable = dir.write("plain", "text");
    EXPECT_FALSE(data::startDetached(notExecutable, "x"));
}

TEST(ExternalEditor, ChoosesADesktopEditorOnThePathThenXdgOpen) {
    TempDir dir(programFolderParent());
    ScopedEnv noChoice("TESKADAT_EDITOR", "");
    ScopedEnv path("PATH", dir.path());
    EXPECT_EQ(data::editorProgram(), "xdg-open");
    makeExecutable(dir, "pluma", "");
    makeExecutable(dir, "kate", "");
    EXPECT_EQ(data::editorProgram(), "kate");
    EXPECT_EQ(data::findExecutable("pluma"), dir.file("pluma"));
    EXPECT_EQ(data::findExecutable("missing"), "");
}

} // namespace
