// Files that a reader cannot trust: counts beyond the file or memory, huge
// lines, binary data, things that are not regular files, files that vanish,
// values that are not finite; and what a failed load or save leaves behind.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/MemoryLimit.h"
#include "data/TextFile.h"

#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class HostileInput : public testing::Test {
protected:
    bool read(const std::string& contents, const std::string& name = "survey.obs") {
        return readPath(dir.write(name, contents));
    }
    bool readPath(const std::string& path) {
        messages.clear();
        doc.dataPath = path;
        return doc.readObservationFile(path);
    }
    // A failed read: one message, no stations, nothing to save.
    void expectRefused(const std::string& text, unsigned style) {
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().style, style);
        EXPECT_EQ(doc.count, 0);
        EXPECT_FALSE(doc.canSave());
        EXPECT_FALSE(doc.IsModified());
    }
    std::string invalid(const std::string& path) {
        return "Error: " + path + "\nis not a valid data file.";
    }

    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

TEST_F(HostileInput, CountsBeyondTheFileOrMemoryAllocateNothing) {
    // A count line that ends the file: nothing after it can hold a station.
    EXPECT_FALSE(read("537919488"));
    expectRefused(invalid(doc.dataPath), MB_ICONHAND);
    EXPECT_TRUE(doc.x.empty());

    // A sparse file large enough for the count, but the arrays would need
    // far more than the machine has: refused before anything is allocated.
    const std::string sparse = dir.file("sparse.obs");
    dir.write("sparse.obs", "2000000000\n1 2 3\n");
    ASSERT_EQ(::truncate(sparse.c_str(), 13'000'000'000LL), 0);
    EXPECT_FALSE(readPath(sparse));
    expectRefused("Error: not enough memory for 2000000000 data of\n" + sparse, MB_ICONHAND);
    EXPECT_TRUE(doc.x.empty());
}

TEST_F(HostileInput, MemoryLimitsOfTheProcessAreRespected) {
    // A count of ten million over a file of zeros: refused as invalid at
    // its first line, with no more memory committed than read so far.
    const std::string zeros = dir.file("zeros.obs");
    dir.write("zeros.obs", "10000000\n0\n");
    ASSERT_EQ(::truncate(zeros.c_str(), 64'000'000), 0);
    const pid_t child = fork();
    if (child == 0) {
        const bool refused = !readPath(zeros) && messages.last().text == invalid(zeros);
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_LT(usage.ru_maxrss, 200'000) << "kB at most; the arrays alone would take 400 MB";

    // Control groups limit what a process may have, below the machine's memory.
    TempDir root;
    fs::create_directories(root.path() + "/memory/job/step");
    fs::create_directories(root.path() + "/session");
    std::ofstream(root.path() + "/memory/job/memory.limit_in_bytes") << "536870912\n";
    std::ofstream(root.path() + "/memory/job/step/memory.limit_in_bytes")
        << "9223372036854771712\n";
    std::ofstream(root.path() + "/session/memory.max") << "max\n";
    EXPECT_EQ(data::cgroupMemoryLimitBytes(root.path(), "4:memory:/job/step\n0::/session\n"),
              536870912.0L);
    std::ofstream(root.path() + "/memory.max") << "268435456\n";
    EXPECT_EQ(data::cgroupMemoryLimitBytes(root.path(), "4:cpu,memory:/job/step\n0::/session\n"),
              268435456.0L);
    EXPECT_EQ(data::cgroupMemoryLimitBytes(root.path(), "4:cpu:/job\n"), 0.0L);
}

TEST_F(HostileInput, MegabyteLinesAreReadWhole) {
    const std::string comment = "!" + std::string(1 << 20, 'c') + "\n";
    const std::string hugeNumber = "1" + std::string(1 << 20, '0'); // beyond double: infinity
    ASSERT_TRUE(read(comment + "3\n" + hugeNumber + " 2 3 4 5\n1 1 1\n2 3 4\n"));
    EXPECT_EQ(doc.x[0], HUGE_VAL);
    EXPECT_EQ(doc.x[1], 1);
    EXPECT_EQ(doc.xMax, HUGE_VAL);

    EXPECT_FALSE(read("3\n" + std::string(1 << 20, 'x') + "\n1 2 3\n1 2 3\n"));
    expectRefused(invalid(doc.dataPath), MB_ICONHAND);
}

TEST_F(HostileInput, BinaryFilesFailWithAMessage) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(4096, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        if (!read(bytes)) {
            EXPECT_FALSE(messages.empty());
            EXPECT_EQ(doc.count, 0);
        }
    }
    // Digits hidden behind NUL bytes are not read.
    EXPECT_FALSE(read(std::string("3\n1 2 3\n4\0 5 6\n7 8 9\n", 20)));
    expectRefused(invalid(doc.dataPath), MB_ICONHAND);
}

TEST_F(HostileInput, OnlyRegularFilesAreOpened) {
    const std::string fifo = dir.file("pipe.obs");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A directory, an endless device and a pipe without a writer (which would
    // block the open) are refused at once.
    for (const std::string& path : {dir.path(), std::string("/dev/zero"), fifo}) {
        ASSERT_TRUE(read("3\n1 2 3\n4 5 6\n7 8 9\n"));
        EXPECT_FALSE(readPath(path));
        expectRefused("Data file doesn't exist.\n" + path, MB_OK);
    }
}

TEST_F(HostileInput, AFileThatVanishesAfterTheCheckIsReportedMissing) {
    const std::string path = dir.write("gone.obs", "3\n1 2 3\n4 5 6\n7 8 9\n");
    ASSERT_TRUE(std::filesystem::exists(path)); // the Load Data dialog's check
    std::filesystem::remove(path);
    EXPECT_FALSE(readPath(path));
    expectRefused("Data file doesn't exist.\n" + path, MB_OK);
}

TEST_F(HostileInput, NonFiniteValuesAreKeptAndSavedAsTheyWere) {
    ASSERT_TRUE(read("4\nnan 1 2 3 4\n1 inf 2 -inf 4\n2 3 4 nan 0\n3 4 5 6 7\n"));
    EXPECT_TRUE(std::isnan(doc.x[0]));
    EXPECT_EQ(doc.xMin, 1) << "NaN takes no part in the extents";
    EXPECT_EQ(doc.yMax, HUGE_VAL);
    EXPECT_EQ(doc.dataMin, -HUGE_VAL);

    const std::string saved = dir.file("saved.obs");
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    CTESKAdatDoc again;
    ASSERT_TRUE(again.readObservationFile(saved));
    EXPECT_TRUE(std::isnan(again.x[0]));
    EXPECT_EQ(again.data[1], -HUGE_VAL);
    EXPECT_TRUE(std::isnan(again.data[2]));
}

TEST_F(HostileInput, AFailedSecondLoadLeavesNothingThatSaveCouldWrite) {
    const std::string good = dir.write("good.obs", "3\n1 2 3\n4 5 6\n7 8 9\n");
    const std::string before = readWholeFile(good);
    for (const std::string& bad :
         {dir.write("bad.obs", "3\n1 2 3\n4 5\n"), dir.write("few.obs", "2\n1 2 3\n4 5 6\n"),
          dir.file("missing.obs")}) {
        ASSERT_TRUE(readPath(good));
        doc.SetPathName(good);
        doc.addConstant(1); // unsaved changes, declined at the Open command's question
        EXPECT_FALSE(readPath(bad));
        EXPECT_EQ(doc.count, 0);
        EXPECT_FALSE(doc.canSave());
        EXPECT_FALSE(doc.IsModified()) << "no question about saving at the close";
        // Even a save asked for directly writes nothing over the old file.
        messages.clear();
        EXPECT_FALSE(doc.DoSave(good));
        EXPECT_EQ(messages.last().text,
                  "Error: " + good + "\ncould not be saved: there are no data.");
        EXPECT_EQ(readWholeFile(good), before);
    }
}

TEST_F(HostileInput, APipeSwappedInWhileOpeningIsNeverRead) {
    // One thread keeps exchanging the file for a pipe that holds a line and
    // has a writer (so that opening it would not block); the reader must
    // never open the pipe, whenever the exchange falls.
    const std::string target = dir.write("survey.obs", "regular\n");
    const std::string pipeName = dir.file("pipe"), spare = dir.file("spare");
    std::atomic<bool> done{false};
    std::thread exchanger([&] {
        for (int i = 0; i < 500; ++i) {
            mkfifo(pipeName.c_str(), 0644);
            const int writer = open(pipeName.c_str(), O_RDWR | O_NONBLOCK);
            (void)!write(writer, "pipe\n", 5);
            rename(pipeName.c_str(), target.c_str());
            dir.write("spare", "regular\n");
            rename(spare.c_str(), target.c_str());
            close(writer);
        }
        done = true;
    });
    int opened = 0, pipesRead = 0;
    while (!done) {
        data::TextLineReader reader;
        if (reader.open(target)) {
            ++opened;
            pipesRead += reader.readLine() != "regular";
        }
    }
    exchanger.join();
    EXPECT_EQ(pipesRead, 0) << "of " << opened << " opened";
    EXPECT_GT(opened, 0);
}

} // namespace
