#include "MessageCapture.h"
#include "StationFill.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/EditHistory.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

#ifndef __SANITIZE_ADDRESS__
size_t virtualBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    return pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}
#endif

// Bit patterns, so that NaN (a logarithm of a negative value) compares too.
using Bits = std::vector<std::uint64_t>;

struct Arrays {
    Bits x, y, data, elevation, predicted, error;
    int count;
    bool logScale;
    double dataMin, dataMax;
    auto tied() const {
        return std::tie(x, y, data, elevation, predicted, error, count, logScale, dataMin, dataMax);
    }
    bool operator==(const Arrays& other) const { return tied() == other.tied(); }
};

// Only the first `count` entries are the set.
Arrays arraysOf(const CTESKAdatDoc& doc) {
    const auto head = [&doc](const std::vector<double>& a) {
        Bits bits(static_cast<size_t>(doc.count));
        std::memcpy(bits.data(), a.data(), bits.size() * sizeof(double));
        return bits;
    };
    return {head(doc.x),     head(doc.y), head(doc.data), head(doc.elevation), head(doc.predicted),
            head(doc.error), doc.count,   doc.logScale,   doc.dataMin,         doc.dataMax};
}

class Undo : public testing::Test {
protected:
    void SetUp() override {
        std::vector<double> x, y, values;
        for (int i = 0; i < 40; ++i) {
            x.push_back(i % 8 * 10.0);
            y.push_back(i / 8 * 10.0);
            values.push_back(50 + std::sin(i) * 20);
        }
        fillStations(doc, x, y, values);
        doc.hasPredicted = true;
        doc.predicted = doc.data;
        doc.predicted[3] = -1; // no logarithm: the toggle keeps it aside
        doc.history.setEnabled(true);
    }
    CTESKAdatDoc doc;
    MessageCapture messages;
};

TEST_F(Undo, EveryEditComesBackExactlyAndTheSavedStateIsClean) {
    std::vector<Arrays> states{arraysOf(doc)};
    doc.addConstant(0.1);
    states.push_back(arraysOf(doc));
    doc.addGaussianNoise(2, 0.5, 7);
    states.push_back(arraysOf(doc));
    doc.toggleLogScale();
    states.push_back(arraysOf(doc));
    doc.toggleLogScale();
    states.push_back(arraysOf(doc));
    doc.cropToRegion(0, 35, 0, 25);
    states.push_back(arraysOf(doc));
    doc.downsample(2);
    states.push_back(arraysOf(doc));
    doc.deleteStation(1);
    states.push_back(arraysOf(doc));
    doc.assignStandardDeviation(5, 1);
    states.push_back(arraysOf(doc));
    ASSERT_TRUE(doc.changeError(2, 0.25));
    states.push_back(arraysOf(doc));
    EXPECT_FALSE(doc.changeError(2, 0.25)); // the error it has: no step
    EXPECT_EQ(doc.history.undoLabel(), "Change error");

    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(arraysOf(doc), states[i - 1]) << "after undoing step " << i;
    }
    EXPECT_FALSE(doc.IsModified()); // back at the state that was read
    EXPECT_FALSE(doc.undo());
    EXPECT_EQ(doc.history.redoLabel(), "Add constant");
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(arraysOf(doc), states[i]) << "after redoing step " << i;
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.redo());
}

TEST_F(Undo, TheModifiedFlagFollowsTheSavedStateAndAReadForgetsTheSteps) {
    TempDir dir;
    const std::string path = dir.file("saved.obs");
    doc.addConstant(1);
    doc.addConstant(2);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    doc.addConstant(3);
    doc.undo();
    EXPECT_FALSE(doc.IsModified()); // the file holds this state
    doc.undo();
    EXPECT_TRUE(doc.IsModified());
    doc.redo();
    EXPECT_FALSE(doc.IsModified());
    doc.undo();
    doc.addConstant(4); // the saved state can no longer be reached
    EXPECT_FALSE(doc.history.canRedo());
    doc.undo();
    EXPECT_TRUE(doc.IsModified());

    // Only the log-scale toggle leaves the file unchanged.
    ASSERT_TRUE(doc.OnSaveDocument(path));
    doc.toggleLogScale();
    doc.undo();
    doc.redo();
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(doc.readObservationFile(path));
    EXPECT_FALSE(doc.history.canUndo());
    EXPECT_FALSE(doc.history.canRedo());
}

// A step holds what its edit changes: one station's error, the arrays a
// value edit rewrites, the stations a removal takes out.
TEST_F(Undo, StepsHoldWhatTheEditChanges) {
    const size_t n = 40, perArray = n * sizeof(double);
    const auto newest = [this](auto edit) {
        const size_t before = doc.history.bytes();
        edit();
        return doc.history.bytes() - before;
    };
    EXPECT_EQ(newest([&] { doc.changeError(5, 3); }), sizeof(double));
    EXPECT_EQ(newest([&] { doc.assignStandardDeviation(5, 1); }), perArray);
    EXPECT_EQ(newest([&] { doc.addConstant(2); }), perArray);
    EXPECT_EQ(newest([&] { doc.addGaussianNoise(1, 1, 3); }), 2 * perArray);
    // x, y, elevation, data, error and predicted of the station, and its place.
    EXPECT_EQ(newest([&] { doc.deleteStation(7); }), 6 * sizeof(double) + sizeof(int32_t));
    EXPECT_EQ(newest([&] { doc.downsample(3); }), 26 * (6 * sizeof(double) + sizeof(int32_t)));

    // Stations come back at their places, the first and the last included.
    const Arrays before = arraysOf(doc);
    doc.deleteStation(0);
    doc.deleteStation(doc.count - 1);
    doc.cropToRegion(15, 1e9, -1e9, 1e9);
    doc.undo();
    doc.undo();
    doc.undo();
    EXPECT_EQ(arraysOf(doc), before);
}

#ifndef __SANITIZE_ADDRESS__
// With no memory for its step an edit is still made, after the message;
// the steps before it can no longer be undone either.
TEST_F(Undo, AnEditWhoseStepCannotBeHadIsMadeWithoutUndo) {
    std::vector<double> x, y, values;
    for (int i = 0; i < 2'000'000; ++i) {
        x.push_back(i % 2000);
        y.push_back(i / 2000);
        values.push_back(i % 7);
    }
    fillStations(doc, std::move(x), std::move(y), std::move(values));
    doc.hasPredicted = false;
    doc.history.clear();
    doc.addConstant(1); // a step that could be had
    const pid_t child = fork();
    if (child == 0) {
        // The copy of 16 MB cannot be had; the edit itself needs nothing.
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = virtualBytes() + (8 << 20);
        setrlimit(RLIMIT_AS, &limit);
        doc.assignStandardDeviation(10, 0.5);
        const bool made = doc.error[3] == std::fabs(doc.data[3]) * 0.1 + 0.5 && doc.IsModified() &&
                          !doc.history.canUndo() && messages.messages().size() == 1 &&
                          messages.last().text ==
                              "Error: not enough memory to keep Assign standard deviation for "
                              "undo.\nThe change is made; it cannot be undone." &&
                          messages.last().style == MB_ICONEXCLAMATION;
        _exit(made ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
#endif

TEST(EditHistory, TheOldestStepsGoFirstAndTheNewestIsAlwaysKept) {
    data::EditHistory history(10000);
    history.setEnabled(true);
    const auto snapshotOf = [](size_t stations) {
        data::StationChange change;
        change.of(data::StationArray::X).assign(stations, 1.0); // 8 bytes a station
        return change;
    };
    for (int i = 0; i < 5; ++i)
        history.record("step " + std::to_string(i), data::UndoRefresh::Values, true,
                       snapshotOf(300));
    EXPECT_EQ(history.stepCount(), 4u);       // 4 x 2400 bytes fit, 5 do not
    EXPECT_TRUE(history.modifiedSinceSave()); // the saved state went with step 0
    history.record("huge", data::UndoRefresh::Values, true, snapshotOf(5000));
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_EQ(history.undoLabel(), "huge");

    data::EditHistory many;
    many.setEnabled(true);
    for (size_t i = 0; i < data::EditHistory::kMostSteps + 10; ++i)
        many.record("s", data::UndoRefresh::Values, true, {});
    EXPECT_EQ(many.stepCount(), data::EditHistory::kMostSteps);

    data::EditHistory off; // batch runs record nothing
    off.record("s", data::UndoRefresh::Values, true, snapshotOf(10));
    EXPECT_FALSE(off.canUndo());
}

} // namespace
