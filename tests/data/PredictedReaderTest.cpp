#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr const char* kGravity = "! g\n3\n0 0 0 1\n1 0 0 2\n0 1 0 3\n";
constexpr const char* kMagnetic = "60 10 50000\n60 10 1\n3\n0 0 0 1\n1 0 0 2\n0 1 0 3\n";

class RecordingView : public CView {
public:
    void OnUpdate(CView*, long hint, void*) override { hints.push_back(hint); }
    std::vector<long> hints;
};

class PredictedReader : public testing::Test {
protected:
    void load(const char* observations) {
        doc.dataPath = dir.write("obs.txt", observations);
        ASSERT_TRUE(doc.readObservationFile(doc.dataPath));
        messages.clear();
    }
    bool readPredicted(const std::string& contents) {
        return doc.readPredictedFile(dir.write("pred.txt", contents));
    }
    void expectMessage(const std::string& text, unsigned style) {
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().style, style);
    }

    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

TEST_F(PredictedReader, FourthValuePairsByLineOrder) {
    load(kGravity);
    ASSERT_TRUE(readPredicted("!p\n!q\n3\n9 9 9 10\n8 8 8 20 99 98\n7 7 7 30\nextra\n"));
    EXPECT_TRUE(doc.hasPredicted);
    EXPECT_EQ(doc.predicted, (std::vector<double>{10, 20, 30}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PredictedReader, BothReadersSkipAByteOrderMark) {
    const std::string mark = "\xEF\xBB\xBF";
    load((mark + kMagnetic).c_str());
    EXPECT_TRUE(doc.isMagnetic) << "the header line starts after the mark";
    EXPECT_EQ(doc.header1a, 60);
    load((mark + kGravity).c_str());
    EXPECT_EQ(doc.count, 3) << "a comment line after the mark is still a comment";
    EXPECT_TRUE(readPredicted(mark + "3\n0 0 0 4\n0 0 0 5\n0 0 0 6\n"));
    EXPECT_EQ(doc.predicted[0], 4);
    EXPECT_FALSE(readPredicted("\xEF\xBB")) << "a partial mark is no count line";
}

TEST_F(PredictedReader, MagneticHeaderLinesAreSkippedUnread) {
    load(kMagnetic);
    ASSERT_TRUE(readPredicted("! comment\n\nanything at all\n3\n0 0 0 1\n0 0 0 2\n0 0 0 3\n"));
    EXPECT_EQ(doc.predicted[2], 3);
}

TEST_F(PredictedReader, GravitySetTakesHeaderLineAsCount) {
    load(kGravity);
    EXPECT_FALSE(readPredicted("60 10 50000\n60 10 1\n3\n0 0 0 1\n0 0 0 2\n0 0 0 3\n"));
    const std::string path = dir.file("pred.txt");
    expectMessage("Predicted data file " + path + "\ndoes not have the same number of data as " +
                      doc.dataPath,
                  MB_ICONHAND);
    EXPECT_FALSE(doc.hasPredicted);

    EXPECT_TRUE(readPredicted("3 10 50000\n0 0 0 1\n0 0 0 2\n0 0 0 3\n"))
        << "the header's first number happens to equal the count";
}

TEST_F(PredictedReader, FailuresLeaveNoPredictedData) {
    load(kGravity);
    const std::string path = dir.file("pred.txt");
    const std::string mismatch = "Predicted data file " + path +
                                 "\ndoes not have the same number of data as " + doc.dataPath;
    const std::string bad = "Error reading predicted data file\n" + path;
    const struct {
        const char* contents;
        std::string message;
    } cases[] = {
        {"4\n0 0 0 1\n0 0 0 2\n0 0 0 3\n0 0 0 4\n", mismatch},
        {"three\n0 0 0 1\n", mismatch},
        {"", mismatch},
        {"3\n0 0 0 1\n0 0 0\n0 0 0 3\n", bad},
        {"3\n0 0 0 1\n0 0 0 2\n", bad},
    };
    for (const auto& c : cases) {
        messages.clear();
        doc.hasPredicted = true;
        EXPECT_FALSE(readPredicted(c.contents)) << c.contents;
        expectMessage(c.message, MB_ICONHAND);
        EXPECT_FALSE(doc.hasPredicted);
        EXPECT_EQ(doc.count, 3) << "the observations stay loaded";
    }

    messages.clear();
    EXPECT_FALSE(doc.readPredictedFile(dir.file("none.pre")));
    expectMessage("Predicted data file doesn't exist.\n" + dir.file("none.pre"), MB_OK);
}

TEST_F(PredictedReader, ObservationReadDropsEarlierPredictedData) {
    load(kGravity);
    ASSERT_TRUE(readPredicted("3\n0 0 0 1\n0 0 0 2\n0 0 0 3\n"));
    EXPECT_FALSE(doc.readObservationFile(dir.file("missing")));
    EXPECT_FALSE(doc.hasPredicted);
}

class CommandLineOpen : public PredictedReader {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        doc.AddView(&view);
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    std::filesystem::path previous;
    RecordingView view;
};

TEST_F(CommandLineOpen, SecondPathIsThePredictedFile) {
    const std::string obs = dir.write("grav.obs", kGravity);
    const std::string pre = dir.write("grav.pre", "3\n0 0 0 5\n0 0 0 6\n0 0 0 7\n");
    doc.SetModifiedFlag(true);
    doc.setCommandLinePredicted(false, pre);
    ASSERT_TRUE(doc.OnOpenDocument(obs));
    EXPECT_TRUE(doc.dataReady);
    EXPECT_TRUE(doc.hasPredicted);
    EXPECT_EQ(doc.predictedPath, pre);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.hints, std::vector<long>{HintNewData});
}

TEST_F(CommandLineOpen, FixedNameDependsOnTheKindOfData) {
    dir.write("quorbelt.pre", "x\ny\n3\n0 0 0 5\n0 0 0 6\n0 0 0 7\n");
    doc.setCommandLinePredicted(true, "");
    ASSERT_TRUE(doc.OnOpenDocument(dir.write("mag.obs", kMagnetic)));
    EXPECT_EQ(doc.predictedPath, "quorbelt.pre");
    EXPECT_TRUE(doc.hasPredicted);

    ASSERT_TRUE(doc.OnOpenDocument(dir.write("grav.obs", kGravity)));
    EXPECT_EQ(doc.predictedPath, "frandol.pre");
    EXPECT_FALSE(doc.hasPredicted);
    expectMessage("Predicted data file doesn't exist.\nfrandol.pre", MB_OK);
    EXPECT_TRUE(doc.dataReady) << "the observations are shown without predicted data";
}

TEST_F(CommandLineOpen, UnreadableObservationFileFails) {
    EXPECT_FALSE(doc.OnOpenDocument(dir.file("nothing.obs")));
    EXPECT_FALSE(doc.dataReady);
    EXPECT_EQ(view.hints, std::vector<long>{HintNewData}) << "told, with no data ready";
}

} // namespace
