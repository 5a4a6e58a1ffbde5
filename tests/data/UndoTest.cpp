#include "MessageCapture.h"
#include "StationFill.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/EditHistory.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

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
    EXPECT_EQ(doc.history.undoLabel(), "Assign standard deviation");

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

TEST(EditHistory, TheOldestStepsGoFirstAndTheNewestIsAlwaysKept) {
    data::EditHistory history(10000);
    history.setEnabled(true);
    const auto snapshotOf = [](size_t stations) {
        data::StationSnapshot snapshot;
        snapshot.x.assign(stations, 1.0); // 8 bytes a station
        return snapshot;
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
